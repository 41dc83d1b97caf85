# Shared build helpers. Libraries and tests pick up their files by glob so that
# adding a class or a test is a matter of adding the files.

# pennova_sources(<var> [EXCLUDE name...]): the .cpp/.h files of the current folder.
function(pennova_sources out)
  cmake_parse_arguments(S "" "" "EXCLUDE" ${ARGN})
  file(GLOB files CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(ex ${S_EXCLUDE})
    list(FILTER files EXCLUDE REGEX "/${ex}$")
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# With Ninja, AUTOMOC only reruns for the files it saw last time, so a header added
# later (picked up by the glob) would never be moc'ed: drop its stamp when the list changes.
function(pennova_refresh_automoc target files)
  string(MD5 digest "${files}")
  if(NOT "${digest}" STREQUAL "${PENNOVA_AUTOMOC_${target}}")
    file(REMOVE ${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/timestamp)
    set(PENNOVA_AUTOMOC_${target} "${digest}" CACHE INTERNAL "")
  endif()
endfunction()

# pennova_library(<target> [EXCLUDE files...] LIBS libs...): a static library of the
# current folder's sources; an INTERFACE library while the folder has none yet.
function(pennova_library target)
  cmake_parse_arguments(L "" "" "EXCLUDE;LIBS" ${ARGN})
  pennova_sources(files EXCLUDE ${L_EXCLUDE})
  list(FILTER files INCLUDE REGEX "\\.cpp$")
  if(files)
    pennova_sources(all EXCLUDE ${L_EXCLUDE})
    add_library(${target} STATIC ${all})
    pennova_refresh_automoc(${target} "${all}")
    target_include_directories(${target} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${L_LIBS})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${L_LIBS})
  endif()
endfunction()

# Seconds the longest tests take alone. ctest -j starts tests in falling cost, so these
# run first and the short ones fill the cores beside them; without it a fresh build (no
# CTestCostData.txt yet) would start them last and wait on them alone at the end.
set(PENNOVA_TEST_COSTS
    tst_dictionarypanel=15 tst_documents=10 tst_serverstorage=9 tst_mainwindow=4 tst_mainwindowediting=4 tst_serverscaleout=7
    tst_mainwindowserver=6 tst_serverabuse=5 tst_checker_tagger=4 tst_deploynginx=4 tst_loginwindow=3
    tst_serverclients=3 tst_servercheck=3)

# Headers every test program parses, precompiled once per test folder: parsing Qt's headers
# is most of a test's compile time. quicktry.h comes last: a precompiled header must be the
# first thing a source includes, and it redefines QTRY_* after QtTest.
set(PENNOVA_TEST_PCH_CORE
    <memory> <string> <vector> <functional> <QObject> <QString> <QStringList> <QByteArray> <QList>
    <QHash> <QMap> <QSet> <QVariant> <QDir> <QFile> <QFileInfo> <QTemporaryDir> <QTemporaryFile>
    <QJsonDocument> <QJsonObject> <QJsonArray> <QProcess> <QTimer> <QElapsedTimer> <QRegularExpression>
    <QThread> <QCoreApplication> <QSettings> <QTest> <QSignalSpy>)
set(PENNOVA_TEST_PCH_WIDGETS
    <QApplication> <QWidget> <QLabel> <QPushButton> <QLineEdit> <QTextEdit> <QTextCursor> <QTextDocument>
    <QPainter> <QImage> <QPixmap> <QMenu> <QAction> <QKeyEvent> <QMouseEvent> <QScrollBar>)
option(PENNOVA_TEST_PCH "Precompile the common headers of each test folder" ON)

# pennova_add_tests([GUI] LIBS libs... [NO_PCH tests...]): one QtTest program and one ctest
# test per tst_*.cpp of the current folder. Helper files of the folder's support/ are shared
# by its tests, and tests/support (test-support) by all. The folder's tests share one
# precompiled header, so they must share their compile definitions: a test the folder gives
# definitions or libraries of its own is named in NO_PCH.
function(pennova_add_tests)
  cmake_parse_arguments(T "GUI" "" "LIBS;LABELS;NO_PCH" ${ARGN})
  set(pch "")
  set(pchheaders ${PENNOVA_TEST_PCH_CORE})
  if(CMAKE_CURRENT_SOURCE_DIR MATCHES "/tests/ui/")
    list(APPEND pchheaders ${PENNOVA_TEST_PCH_WIDGETS})
  endif()
  set(quicktry ${PROJECT_SOURCE_DIR}/tests/support/quicktry.h)
  list(APPEND pchheaders ${quicktry})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
  file(GLOB support CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/support/*.cpp
                                      ${CMAKE_CURRENT_SOURCE_DIR}/support/*.h)
  # The folder's helpers are compiled once, into a library its tests share.
  set(supportlib "")
  set(supportsources ${support})
  list(FILTER supportsources INCLUDE REGEX "\\.cpp$")
  if(supportsources)
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    string(REPLACE "/" "-" supportlib "${folder}-support")
    add_library(${supportlib} STATIC ${support})
    target_include_directories(${supportlib} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${supportlib} PUBLIC Qt6::Test test-support ${T_LIBS})
    target_compile_options(${supportlib} PRIVATE "SHELL:-include ${quicktry}")
    set(support "")
  endif()
  foreach(src ${tests})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src} ${support})
    target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} PRIVATE Qt6::Test test-support ${supportlib} ${T_LIBS})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    if(PENNOVA_TEST_PCH AND NOT name IN_LIST T_NO_PCH)
      if(pch)
        target_precompile_headers(${name} REUSE_FROM ${pch})
      else()
        target_precompile_headers(${name} PRIVATE ${pchheaders})
        set(pch ${name})
      endif()
    else()
      target_compile_options(${name} PRIVATE "SHELL:-include ${quicktry}")
    endif()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
      # Tests run as root in CI, where the web engine's sandbox cannot start.
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_DISABLE_SANDBOX=1"
      TIMEOUT 300)
    set(cost ${PENNOVA_TEST_COSTS})
    list(FILTER cost INCLUDE REGEX "^${name}=")
    if(cost)
      string(REPLACE "${name}=" "" cost "${cost}")
      set_tests_properties(${name} PROPERTIES COST ${cost})
    endif()
  endforeach()
endfunction()

# pennova_add_benches(LIBS libs...): one program per bench_*.cpp, in build/bench.
function(pennova_add_benches)
  cmake_parse_arguments(B "" "" "LIBS" ${ARGN})
  file(GLOB benches CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/bench_*.cpp)
  foreach(src ${benches})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_link_libraries(${name} PRIVATE ${B_LIBS})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
    set_property(GLOBAL APPEND PROPERTY PENNOVA_BENCHES ${name})
  endforeach()
endfunction()
