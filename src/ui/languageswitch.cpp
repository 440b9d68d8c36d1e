// SPDX-License-Identifier: MIT
#include "ui/languageswitch.h"

#include <QActionGroup>
#include <QApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QTranslator>
#include <QWidget>
#include <vector>

#include "ui/usersettings.h"

namespace merin::ui {

namespace {

const QString kKey = QStringLiteral("language");

QString NameOf(Language language) {
  return language == Language::English ? QStringLiteral("en") : QStringLiteral("ja");
}

Language current = Language::Japanese;

// The translation in use: ours into English, or Qt's own into Japanese.
QTranslator* installed = nullptr;

// The texts of one window, set again on each change of language.
class Texts final : public QObject {
 public:
  explicit Texts(QWidget* window) : QObject(window) { window->installEventFilter(this); }
  void add(std::function<void()> apply) { applies_.push_back(std::move(apply)); }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::LanguageChange) {
      for (const auto& apply : applies_) apply();
    }
    return false;
  }

 private:
  std::vector<std::function<void()>> applies_;
};

}  // namespace

std::optional<Language> LanguageNamed(const QString& name) {
  if (name == NameOf(Language::Japanese)) return Language::Japanese;
  if (name == NameOf(Language::English)) return Language::English;
  return std::nullopt;
}

Language SavedLanguage() {
  return LanguageNamed(UserSettings::value(kKey).toString()).value_or(Language::Japanese);
}

void UseLanguage(Language language) {
  current = language;
  // Numbers, sizes, dates and the file types of the file dialog follow the window's language.
  QLocale::setDefault(language == Language::English
                          ? QLocale(QLocale::English, QLocale::UnitedStates)
                          : QLocale(QLocale::Japanese, QLocale::Japan));
  if (installed) {
    QCoreApplication::removeTranslator(installed);
    delete installed;
    installed = nullptr;
  }
  auto* translator = new QTranslator(qApp);
  const bool loaded = language == Language::English
                          ? translator->load(QStringLiteral(":/i18n/merinkast98_en.qm"))
                          : translator->load(QStringLiteral("qtbase_ja"),
                                             QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  // Our texts are written in Japanese; without Qt's translation only its own dialogs are English.
  if (!loaded) {
    delete translator;
    return;
  }
  QCoreApplication::installTranslator(translator);
  installed = translator;
}

Language CurrentLanguage() { return current; }

void Translate(QWidget* window, std::function<void()> apply) {
  Texts* texts = nullptr;
  for (QObject* child : window->children()) {
    if (!texts) texts = dynamic_cast<Texts*>(child);
  }
  if (!texts) texts = new Texts(window);
  apply();
  texts->add(std::move(apply));
}

void AddLanguageMenu(QMenu* help) {
  // Named in both languages, so that a reader of either finds it.
  QMenu* menu = help->addMenu(QStringLiteral("言語 / Language"));
  menu->setObjectName("LanguageMenu");
  auto* group = new QActionGroup(menu);
  for (Language language : {Language::Japanese, Language::English}) {
    QAction* item = menu->addAction(language == Language::English ? QStringLiteral("English")
                                                                  : QStringLiteral("日本語"));
    item->setObjectName(QStringLiteral("Language_") + NameOf(language));
    item->setCheckable(true);
    item->setActionGroup(group);
    QObject::connect(item, &QAction::triggered, menu, [language] {
      UserSettings::setValue(kKey, NameOf(language));
      UseLanguage(language);
    });
  }
  QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] {
    const QString checked = QStringLiteral("Language_") + NameOf(current);
    for (QAction* item : menu->actions()) item->setChecked(item->objectName() == checked);
  });
}

}  // namespace merin::ui
