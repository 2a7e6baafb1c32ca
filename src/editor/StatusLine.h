#pragma once

#include <QString>

#include <utility>

namespace editor {

// The help text of the status bar: the last hint a handler or the window gave.
class StatusLine {
public:
    const QString& text() const { return text_; }
    void show(QString text) { text_ = std::move(text); }

private:
    QString text_;
};

// Where the keyboard focus should go after a handler.
enum class FocusRequest { None, Plan, Box };

// The focus a handler asked for, handed to the window once.
class FocusRequests {
public:
    void ask(FocusRequest where) { request_ = where; }
    FocusRequest take() { return std::exchange(request_, FocusRequest::None); }

private:
    FocusRequest request_ = FocusRequest::None;
};

} // namespace editor
