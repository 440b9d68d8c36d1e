#pragma once

#include <QWidget>
#include <cstdint>

namespace merin::ui {

// A slot marker: a small area of one colour that reports left clicks.
class PositionMarker : public QWidget {
  Q_OBJECT

 public:
  // The marker of slot `index`; its clicks carry that index.
  PositionMarker(int16_t index, QWidget* parent);

  // Sets the background as a layout colour value (255, 0x80000009, ...).
  void setColour(uint32_t colour);
  // The layout colour value set last.
  uint32_t colour() const { return colour_; }

 signals:
  // Pressed and released with the left button over the marker.
  void clicked(int16_t Index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int16_t index_;
  uint32_t colour_ = 0;
  bool pressed_ = false;
};

}  // namespace merin::ui
