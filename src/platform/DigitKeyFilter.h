#pragma once

#include <QObject>

namespace platform {

// Number boxes: lets only the digits 0-9 and Backspace through as typed characters
// (editing keys such as the arrows and Delete pass), and selects the whole text when
// the box gains the focus. Install on a QLineEdit; one filter can serve several boxes.
class DigitKeyFilter : public QObject {
public:
    explicit DigitKeyFilter(QObject* parent = nullptr) : QObject(parent) {}

    // True when a typed character may reach the box.
    static bool accepts(const QString& typed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace platform
