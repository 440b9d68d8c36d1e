// SPDX-License-Identifier: MIT
#include "ui/accessiblenames.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <string>
#include <vector>

#include "core/coretexts.h"
#include "core/pitch.h"
#include "entry/keyboard.h"
#include "session/session.h"
#include "ui/keybutton.h"
#include "ui/languageswitch.h"
#include "ui/positionmarker.h"
#include "ui/staffcell.h"

namespace merin::ui {
namespace {

// A staff cell is read as a picture that takes the focus, a marker as a button.
QAccessibleInterface* AccessibleOf(const QString&, QObject* object) {
  if (auto* cell = qobject_cast<StaffCell*>(object)) {
    return new QAccessibleWidget(cell, QAccessible::Graphic);
  }
  if (auto* marker = qobject_cast<PositionMarker*>(object)) {
    return new QAccessibleWidget(marker, QAccessible::Button);
  }
  return nullptr;
}

// Names `widget` `name`, unless it has that name already: a name set again would be said again.
void Name(QWidget* widget, const QString& name) {
  if (widget->accessibleName() != name) widget->setAccessibleName(name);
}

QString Row(std::string_view id, std::vector<std::string> values = {}) {
  return AccessibleNames::words({std::string(id), std::move(values)});
}

}  // namespace

QString AccessibleNames::words(const session::Said& said) {
  for (const Text& row : kCoreTexts) {
    if (row.id != said.id) continue;
    QString words = QString::fromStdString(Words(row, CurrentLanguage(), said.values));
    return words.replace('#', QStringLiteral("♯"));
  }
  return QString::fromStdString(said.id);
}

AccessibleNames::AccessibleNames(QWidget* window, const MainControls& controls,
                                 const Melody& melody)
    : QObject(window),
      controls_(controls),
      melody_(melody),
      said_(new QLabel(controls.statusBar1)) {
  said_->setObjectName("Said");
  said_->setContentsMargins(0, 0, 6, 0);
  controls.statusBar1->addPermanentWidget(said_);
  static const bool installed = [] {
    QAccessible::installFactory(AccessibleOf);
    return true;
  }();
  (void)installed;
  for (StaffCell* cell : controls_.gosen) cell->setFocusPolicy(Qt::TabFocus);
  for (PositionMarker* marker : controls_.np) marker->setFocusPolicy(Qt::TabFocus);
  Translate(window, [this] { nameControls(); });
}

void AccessibleNames::nameControls() {
  for (size_t i = 0; i < controls_.ken.size(); ++i) {
    Name(controls_.ken[i], Row("page.key", {TokenOfCode(kWhiteKeyCodes[i])}));
  }
  for (size_t i = 0; i < controls_.bkey.size(); ++i) {
    Name(controls_.bkey[i], Row("page.key", {TokenOfCode(kBlackKeyCodes[i])}));
  }
  for (size_t i = 0; i < controls_.np.size(); ++i) {
    Name(controls_.np[i], Row("page.marker", {std::to_string(i + 1)}));
  }
  Name(controls_.pedalSW, Row("page.rest-pedal"));
  Name(controls_.command1, Row("page.convert"));
  Name(controls_.command2, Row("page.test-play"));
  nameCells();
}

void AccessibleNames::nameCells() {
  const SlotCodes codes = CodesOf(melody_);
  for (int32_t slot = 0; slot < kSlotCount; ++slot) {
    Name(controls_.gosen[size_t(slot)], words(session::SlotSaid(codes, slot)));
  }
}

QString AccessibleNames::said() const { return said_->text(); }

void AccessibleNames::follow(const std::optional<session::Said>& said) {
  nameCells();
  if (!said) return;
  // The same words again are said again: the label goes through nothing first.
  const QString text = words(*said);
  if (said_->text() == text) said_->clear();
  said_->setText(text);
}

}  // namespace merin::ui
