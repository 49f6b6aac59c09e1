#pragma once

#include <QPushButton>
#include <QString>

namespace hexagon {

// A command button drawn flat in its palette's button colour, whatever the application's style:
// a raised edge two pixels wide (light above and to the left, dark below and to the right) that
// sinks while the button is pressed, a dotted rectangle while it has the keyboard focus, and
// its caption centred in its font. Styles paint their own gradients over a coloured button,
// so the button paints itself; its colours are all palette entries (Button, Light, Dark,
// ButtonText).
class ColourButton : public QPushButton {
 public:
  explicit ColourButton(const QString& text, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace hexagon
