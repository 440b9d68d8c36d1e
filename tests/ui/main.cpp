// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <filesystem>
#include <string>

// One QApplication for every widget test, on the offscreen platform unless told otherwise, with
// runtime, settings and data folders of its own.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  std::string runtime = (std::filesystem::temp_directory_path() / "merin-ui-XXXXXX").string();
  if (mkdtemp(runtime.data()) == nullptr) return 2;
  qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime));
  // Settings (the recent files) and the kept last melody stay in the test's own folders.
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(runtime + "/config"));
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString(runtime + "/data"));
  ::testing::InitGoogleTest(&argc, argv);
  int result = 0;
  {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    result = RUN_ALL_TESTS();
  }
  std::filesystem::remove_all(runtime);
  return result;
}
