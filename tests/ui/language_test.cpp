// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTreeView>
#include <map>
#include <vector>

#include "support/tempfolder.h"
#include "support/testwindow.h"
#include "ui/filedialogwords.h"
#include "ui/languageswitch.h"
#include "ui/soloutform.h"

namespace merin::test {
namespace {

// The text a control of the window shows: a button's, a menu's title or an action's.
QString TextOf(const TestWindow& w, const QString& name) {
  if (auto* button = w.find<QAbstractButton>(name)) return button->text();
  if (auto* menu = w.find<QMenu>(name)) return menu->title();
  if (auto* action = w.find<QAction>(name)) return action->text();
  return QStringLiteral("(no %1)").arg(name);
}

void Use(Language language) {
  ui::UseLanguage(language);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

TEST(Language, EveryCaptionAndMenuItemInBothLanguagesSwitchedWithoutRestart) {
  struct Caption {
    const char* name;
    const char* japanese;
    const char* english;
  } captions[] = {
      {"PedalSW", "休符ペダル", "Rest pedal"},
      {"Command1", "変  換", "Convert"},
      {"Command2", "テスト演奏", "Test play"},
      {"Filemenu", "File(&F)", "File(&F)"},
      {"NewMenu", "新規(&N)", "&New"},
      {"OpenMenu", "開く(&O)...", "&Open..."},
      {"SaveMenu", "上書き保存(&S)", "&Save"},
      {"SaveAsMenu", "名前を付けて保存(&A)...", "Save &As..."},
      {"RecentMenu", "最近使ったファイル(&R)", "&Recent files"},
      {"KeptMenuItem", "保管されたメロディ(&L)", "&Kept melodies"},
      {"ExportMenu", "エクスポート(&E)...", "&Export..."},
      {"EndMenu", "終了", "Exit"},
      {"Editmenu", "編集(&E)", "Edit(&E)"},
      {"UndoMenu", "元に戻す(&U)", "&Undo"},
      {"RedoMenu", "やり直し(&R)", "&Redo"},
      {"ClearMenu", "消去(&L)", "C&lear"},
      {"InsertMenu", "挿入(&I)", "&Insert"},
      {"RemoveMenu", "削除(&D)", "&Delete"},
      {"TransposeMenu", "移調(&T)", "&Transpose"},
      {"SemitoneUpMenu", "半音上げる", "Semitone up"},
      {"SemitoneDownMenu", "半音下げる", "Semitone down"},
      {"OctaveUpMenu", "1 オクターブ上げる", "Octave up"},
      {"OctaveDownMenu", "1 オクターブ下げる", "Octave down"},
      {"PasteRtttlMenu", "RTTTL を貼り付け(&P)", "&Paste RTTTL"},
      {"CopyRtttlMenu", "RTTTL をコピー(&C)", "&Copy RTTTL"},
      {"TitleMenu", "タイトル(&E)...", "Titl&e..."},
      {"Helpmenu", "ヘルプ(&H)", "Help(&H)"},
      {"KeysMenu", "キー操作(&K)", "&Keys"},
  };
  Use(Language::Japanese);
  TestWindow w;
  ui::SoloutForm result;
  // Built in Japanese, then switched to English and back, as the menu does.
  for (Language language : {Language::Japanese, Language::English, Language::Japanese}) {
    Use(language);
    const bool english = language == Language::English;
    for (const Caption& c : captions) {
      EXPECT_EQ(TextOf(w, c.name), QString::fromUtf8(english ? c.english : c.japanese))
          << c.name << " in " << (english ? "English" : "Japanese");
    }
    EXPECT_EQ(w.window->windowTitle(),
              english ? QStringLiteral("Merinkast98   - Ringtone composer for DoCoMo handsets -")
                      : QStringLiteral("Merinkast98   - DoCoMo携帯 作曲支援 -"));
    EXPECT_EQ(result.windowTitle(),
              english ? QStringLiteral("Conversion result") : QStringLiteral("変換結果"));
  }
}

// The access key of a menu's caption or item: the letter after a single '&', upper case; none
// when it has none.
QChar AccessKey(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] != '&') return text[i + 1].toUpper();
    ++i;
  }
  return {};
}

// Within one menu, and among the menus of the menu bar, no two items share an access key, in
// either language, so that Alt and a letter always reach the item it names.
TEST(Language, NoTwoItemsOfOneMenuShareAnAccessKey) {
  TestWindow w;
  for (Language language : {Language::Japanese, Language::English}) {
    Use(language);
    std::vector<QMenu*> menus;
    std::map<QChar, QString> bar;
    for (QAction* action : w.window->menuBar()->actions()) {
      if (action->menu()) menus.push_back(action->menu());
      const QChar key = AccessKey(action->text());
      if (key.isNull()) continue;
      EXPECT_TRUE(bar.emplace(key, action->text()).second)
          << action->text().toStdString() << " and " << bar[key].toStdString();
    }
    EXPECT_EQ(bar.size(), 3u) << "File, Edit and Help have their letters";
    size_t checked = 0;
    for (size_t m = 0; m < menus.size(); ++m) {
      std::map<QChar, QString> seen;
      for (QAction* action : menus[m]->actions()) {
        if (action->menu()) menus.push_back(action->menu());
        const QChar key = AccessKey(action->text());
        if (key.isNull()) continue;
        ++checked;
        EXPECT_TRUE(seen.emplace(key, action->text()).second)
            << menus[m]->objectName().toStdString() << ": " << action->text().toStdString()
            << " and " << seen[key].toStdString() << (language == Language::English ? " (en)" : "");
      }
    }
    EXPECT_GE(checked, 15u) << "the items of File, Edit and Help";
  }
  Use(Language::Japanese);
}

// Qt's file dialog speaks the window's language in every column: the type of a file or folder,
// its size and its date.
TEST(Language, TheFileDialogsColumnsFollowTheWindow) {
  test::TempFolder temp;
  const QDir folder(QString::fromStdString(temp.path().string()));
  folder.mkdir("sub");
  QFile file(folder.filePath("tune.mid"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("MThd");
  file.close();
  const QDateTime written = QFileInfo(file).lastModified();
  const struct {
    Language language;
    QLocale locale;
    QString folderType, fileType, size;
  } cases[] = {
      {Language::Japanese, QLocale(QLocale::Japanese, QLocale::Japan), "フォルダ",
       "MIDI オーディオ", "4 バイト"},
      {Language::English, QLocale(QLocale::English, QLocale::UnitedStates), "Folder", "MIDI audio",
       "4 bytes"},
  };
  for (const auto& c : cases) {
    ui::UseLanguage(c.language);
    QFileDialog dialog(nullptr, "", folder.path());
    ui::SpeakTheWindowsLanguage(dialog);
    dialog.show();
    auto* view = dialog.findChild<QTreeView*>("treeView");
    ASSERT_NE(view, nullptr);
    QAbstractItemModel* model = view->model();
    const QModelIndex root = view->rootIndex();
    ASSERT_TRUE(QTest::qWaitFor([&] { return model->rowCount(root) == 2; }, 5000));
    for (int row = 0; row < 2; ++row) {
      const QString name = model->index(row, 0, root).data().toString();
      const QString type = model->index(row, 2, root).data().toString();
      EXPECT_EQ(type, name == "sub" ? c.folderType : c.fileType) << name.toStdString();
      if (name == "sub") continue;
      EXPECT_EQ(model->index(row, 1, root).data().toString(), c.size);
      EXPECT_EQ(model->index(row, 3, root).data().toString(),
                c.locale.toString(written, QLocale::ShortFormat));
    }
  }
  ui::UseLanguage(Language::Japanese);
}

}  // namespace
}  // namespace merin::test
