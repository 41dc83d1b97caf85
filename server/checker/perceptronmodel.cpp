#include "perceptronmodel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>

namespace PennovaChecker {

namespace {

const char *const kMagic = "pennova-perceptron 1";

bool fail(std::string *error, const std::string &what)
{
    if (error)
        *error = what;
    return false;
}

// A line of at most limit characters; false at the end or when it is longer.
bool readLine(std::istream &in, std::string *line, bool *tooLong)
{
    line->clear();
    *tooLong = false;
    char c;
    while (in.get(c)) {
        if (c == '\n')
            return true;
        if (line->size() >= PerceptronModel::kMaxLine) {
            *tooLong = true;
            return false;
        }
        line->push_back(c);
    }
    return !line->empty();
}

} // namespace

uint64_t PerceptronModel::hash(const std::string &feature)
{
    uint64_t h = 1469598103934665603ULL;
    for (unsigned char c : feature) {
        h ^= c;
        h *= 1099511628211ULL;
    }
    return h ? h : 1;
}

PerceptronModel::PerceptronModel(std::vector<std::string> classes)
    : m_classes(std::move(classes))
{
    if (m_classes.size() > kMaxClasses)
        m_classes.resize(kMaxClasses);
}

bool PerceptronModel::load(const std::string &path, std::string *error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return fail(error, "cannot open " + path);
    return load(in, error);
}

bool PerceptronModel::load(std::istream &in, std::string *error)
{
    setIndex({});
    m_flat.clear();
    std::unordered_map<uint64_t, uint32_t> index;
    std::vector<float> flat;
    std::vector<std::string> classes;
    std::string line;
    bool tooLong = false;
    if (!readLine(in, &line, &tooLong) || line != kMagic)
        return fail(error, "not a perceptron model");
    if (!readLine(in, &line, &tooLong))
        return fail(error, tooLong ? "class line too long" : "truncated before the classes");
    {
        std::istringstream ss(line);
        std::string word;
        ss >> word;
        if (word != "classes")
            return fail(error, "expected the classes");
        while (ss >> word)
            classes.push_back(word);
        if (classes.size() < 2 || classes.size() > kMaxClasses)
            return fail(error, "bad number of classes");
    }
    if (!readLine(in, &line, &tooLong))
        return fail(error, "truncated before the feature count");
    size_t count = 0;
    {
        char word[16] = {};
        unsigned long long n = 0;
        char extra = 0;
        if (std::sscanf(line.c_str(), "%15s %llu %c", word, &n, &extra) != 2 || std::string(word) != "features")
            return fail(error, "expected the feature count");
        if (n > kMaxFeatures)
            return fail(error, "too many features");
        count = size_t(n);
    }
    index.reserve(count);
    flat.reserve(count * classes.size());
    for (size_t row = 0; row < count; ++row) {
        if (!readLine(in, &line, &tooLong))
            return fail(error, tooLong ? "row " + std::to_string(row + 1) + " too long"
                                       : "truncated after " + std::to_string(row) + " rows");
        const char *p = line.c_str();
        char *end = nullptr;
        const unsigned long long key = std::strtoull(p, &end, 16);
        if (end == p || key == 0 || (*end != ' ' && *end != '\t'))
            return fail(error, "bad key in row " + std::to_string(row + 1));
        if (!index.emplace(key, uint32_t(flat.size())).second)
            return fail(error, "repeated key in row " + std::to_string(row + 1));
        for (size_t c = 0; c < classes.size(); ++c) {
            p = end;
            const float v = std::strtof(p, &end);
            if (end == p || !std::isfinite(v) || std::fabs(v) > 1e6f)
                return fail(error, "bad weight in row " + std::to_string(row + 1));
            flat.push_back(v);
        }
        while (*end == ' ' || *end == '\t' || *end == '\r')
            ++end;
        if (*end)
            return fail(error, "extra text in row " + std::to_string(row + 1));
    }
    m_classes = std::move(classes);
    setIndex(index);
    m_flat = std::move(flat);
    return true;
}

bool PerceptronModel::save(const std::string &path, float minWeight) const
{
    std::ofstream out(path, std::ios::binary);
    return out && save(out, minWeight) && out.flush();
}

bool PerceptronModel::save(std::ostream &out, float minWeight) const
{
    std::vector<std::pair<uint64_t, const float *>> rows;
    for (const Slot &slot : m_slots) {
        if (!slot.used)
            continue;
        const uint32_t at = slot.at;
        const uint64_t key = slot.key;
        bool keep = false;
        for (size_t c = 0; c < m_classes.size(); ++c)
            keep = keep || std::fabs(m_flat[at + c]) >= minWeight;
        if (keep)
            rows.emplace_back(key, m_flat.data() + at);
    }
    // sorted, so that the same training gives the same file
    std::sort(rows.begin(), rows.end());
    out << kMagic << "\nclasses";
    for (const std::string &c : m_classes)
        out << ' ' << c;
    out << "\nfeatures " << rows.size() << '\n';
    char buf[64];
    for (const auto &[key, w] : rows) {
        std::snprintf(buf, sizeof buf, "%llx", static_cast<unsigned long long>(key));
        out << buf;
        for (size_t c = 0; c < m_classes.size(); ++c) {
            std::snprintf(buf, sizeof buf, " %.4g", double(w[c]));
            out << buf;
        }
        out << '\n';
    }
    return bool(out);
}

void PerceptronModel::train(const std::vector<Example> &examples, int iterations, int minCount)
{
    const size_t k = m_classes.size();
    // features seen fewer than minCount times only fit the training text: left out from the start
    std::unordered_map<uint64_t, uint32_t> seen;
    for (const Example &e : examples)
        for (uint64_t f : e.features)
            ++seen[f];
    std::unordered_map<uint64_t, uint32_t> index;
    for (const auto &[f, n] : seen)
        if (int(n) >= minCount)
            index.emplace(f, uint32_t(index.size() * k));
    seen.clear();
    std::vector<std::vector<uint32_t>> rows(examples.size());
    for (size_t i = 0; i < examples.size(); ++i)
        for (uint64_t f : examples[i].features) {
            const auto it = index.find(f);
            if (it != index.end())
                rows[i].push_back(it->second);
        }
    std::vector<float> w(index.size() * k, 0.0f);
    std::vector<double> total(w.size(), 0.0);
    std::vector<long long> stamp(w.size(), 0);
    long long step = 0;
    auto update = [&](size_t at, float delta) {
        total[at] += double(step - stamp[at]) * w[at];
        stamp[at] = step;
        w[at] += delta;
    };
    // a fixed shuffle per round, so that a run is reproducible
    std::vector<size_t> order(examples.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    uint64_t seed = 88172645463325252ULL;
    std::vector<float> s(k);
    for (int round = 0; round < iterations; ++round) {
        for (size_t i = order.size(); i > 1; --i) {
            seed ^= seed << 13, seed ^= seed >> 7, seed ^= seed << 17;
            std::swap(order[i - 1], order[seed % i]);
        }
        for (size_t idx : order) {
            ++step;
            std::fill(s.begin(), s.end(), 0.0f);
            for (uint32_t at : rows[idx])
                for (size_t c = 0; c < k; ++c)
                    s[c] += w[at + c];
            const size_t guess = size_t(std::max_element(s.begin(), s.end()) - s.begin());
            const int label = examples[idx].label;
            if (int(guess) == label || label < 0 || size_t(label) >= k)
                continue;
            for (uint32_t at : rows[idx]) {
                update(at + size_t(label), 1.0f);
                update(at + guess, -1.0f);
            }
        }
    }
    m_flat.assign(w.size(), 0.0f);
    for (size_t at = 0; at < w.size(); ++at)
        m_flat[at] = float((total[at] + double(step - stamp[at]) * w[at]) / double(std::max<long long>(step, 1)));
    setIndex(index);
}

void PerceptronModel::setIndex(const std::unordered_map<uint64_t, uint32_t> &index)
{
    m_features = index.size();
    if (index.empty()) {
        m_slots.clear();
        return;
    }
    size_t size = 16;
    while (size < index.size() * 2)
        size *= 2;
    m_slots.assign(size, Slot());
    for (const auto &[key, at] : index) {
        size_t slot = slotOf(key);
        while (m_slots[slot].used)
            slot = (slot + 1) & (size - 1);
        m_slots[slot] = {key, at, true};
    }
}

const PerceptronModel::Slot *PerceptronModel::find(uint64_t key) const
{
    if (m_slots.empty())
        return nullptr;
    for (size_t slot = slotOf(key); m_slots[slot].used; slot = (slot + 1) & (m_slots.size() - 1))
        if (m_slots[slot].key == key)
            return &m_slots[slot];
    return nullptr;
}

std::vector<float> PerceptronModel::weights(uint64_t feature) const
{
    const Slot *slot = find(feature);
    if (!slot)
        return {};
    return {m_flat.begin() + slot->at, m_flat.begin() + slot->at + long(m_classes.size())};
}

std::vector<float> PerceptronModel::scores(const Features &features) const
{
    std::vector<float> s(m_classes.size(), 0.0f);
    if (m_slots.empty())
        return s;
    // the slots are asked for first, all at once: each look-up waits on memory
    for (uint64_t f : features)
        __builtin_prefetch(&m_slots[slotOf(f)]);
    for (uint64_t f : features) {
        const Slot *slot = find(f);
        if (!slot)
            continue;
        for (size_t c = 0; c < s.size(); ++c)
            s[c] += m_flat[slot->at + c];
    }
    return s;
}

int PerceptronModel::predict(const Features &features) const
{
    const std::vector<float> s = scores(features);
    return s.empty() ? -1 : int(std::max_element(s.begin(), s.end()) - s.begin());
}

} // namespace PennovaChecker
