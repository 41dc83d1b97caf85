// Writing guide with a catalog of 1,000 generated templates in 25 categories: time to
// parse the catalog reply, time from the request to a filled tree (served over
// loopback), and time per filter keystroke. Runs offscreen unless a platform is set.
#include "templatecatalognode.h"
#include "templatereply.h"
#include "writingguidewindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace ZeltraLib;

namespace {

QByteArray catalog(int templates, int categories)
{
    const char *topics[] = {"essay", "letter", "email", "report", "speech", "statement", "notice", "summary"};
    QByteArray json = "[";
    for (int c = 0; c < categories; ++c) {
        json += (c ? "," : "") + QByteArray("{\"Id\":") + QByteArray::number(900000 + c) + ",\"Name\":\"分类"
                + QByteArray::number(c) + "|category " + QByteArray::number(c) + "\",\"NodeType\":\"Category\",\"children\":[";
        for (int t = 0; t < templates / categories; ++t) {
            const int id = c * 1000 + t + 1;
            json += (t ? "," : "") + QByteArray("{\"Id\":") + QByteArray::number(id) + ",\"Name\":\"模板"
                    + QByteArray::number(id) + "|" + topics[id % 8] + " template number " + QByteArray::number(id)
                    + "\",\"NodeType\":\"" + (id % 4 ? "High" : "Low") + "\"}";
        }
        json += "]}";
    }
    return json + "]";
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QByteArray body = catalog(1000, 25);

    std::vector<double> parse;
    for (int i = 0; i < 20; ++i) {
        QElapsedTimer t;
        t.start();
        QList<TemplateCatalogNode> nodes;
        TemplateReply::parseCatalog(body, &nodes);
        parse.push_back(t.nsecsElapsed() / 1e6);
    }

    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    QObject::connect(&server, &QTcpServer::newConnection, &server, [&] {
        QTcpSocket *socket = server.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket, &body] {
            socket->readAll();
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size())
                          + "\r\nConnection: close\r\n\r\n" + body);
            socket->disconnectFromHost();
        });
    });
    QTemporaryDir dir;
    const QString host = QStringLiteral("127.0.0.1:%1").arg(server.serverPort());

    std::vector<double> load;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        WritingGuideWindow guide(host, nullptr, nullptr, nullptr, dir.filePath(QStringLiteral("writing.ini")));
        guide.show();
        while (guide.tree()->topLevelItemCount() == 0 && t.elapsed() < 10000)
            app.processEvents(QEventLoop::WaitForMoreEvents, 50);
        app.processEvents();
        load.push_back(t.nsecsElapsed() / 1e6);
    }

    WritingGuideWindow guide(host, nullptr, nullptr, nullptr, dir.filePath(QStringLiteral("writing.ini")));
    guide.show();
    while (guide.tree()->topLevelItemCount() == 0)
        app.processEvents(QEventLoop::WaitForMoreEvents, 50);
    // Typing "letter" key by key, then clearing it again, repeatedly.
    std::vector<double> filter;
    const QString word = QStringLiteral("letter");
    for (int round = 0; round < 5; ++round)
        for (int n = 0; n <= word.size(); ++n) {
            QElapsedTimer t;
            t.start();
            guide.filter()->setText(n < word.size() ? word.left(n + 1) : QString());
            app.processEvents();
            filter.push_back(t.nsecsElapsed() / 1e6);
        }
    int shown = 0;
    guide.filter()->setText(QStringLiteral("number 1039"));
    for (QTreeWidgetItemIterator it(guide.tree()); *it; ++it)
        shown += !(*it)->isHidden() && (*it)->childCount() == 0;

    std::printf("catalog: 1000 templates in 25 categories, %lld bytes\n", static_cast<long long>(body.size()));
    std::printf("parse reply:            median %.2f ms\n", median(parse));
    std::printf("request to filled tree: median %.2f ms, worst %.2f ms\n", median(load),
                *std::max_element(load.begin(), load.end()));
    std::printf("filter keystroke:       median %.2f ms, worst %.2f ms\n", median(filter),
                *std::max_element(filter.begin(), filter.end()));
    std::printf("filter \"number 1039\" shows %d templates\n", shown);
    return 0;
}
