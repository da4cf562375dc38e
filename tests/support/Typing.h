#pragma once
// Typing as a person types on a US keyboard under X: one key press and release
// per character, with the key code and modifiers Qt reports for it, delivered
// to the widget that holds the focus; and text committed by an input method.

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWidget>
#include <cstring>

namespace typing {

inline const char* const kShifted = "~!@#$%^&*()_+{}|:\"<>?";

// Qt's code for the key that types ch: letters by their capital, other Latin-1
// characters by their own code (capital where there is one).
inline int KeyOf(QChar ch) {
    if (ch == ' ') return Qt::Key_Space;
    QChar upper = ch.toUpper();
    if (upper.unicode() < 0x100) return upper.unicode();
    return 0;
}

inline Qt::KeyboardModifiers ModifiersOf(QChar ch) {
    char ascii = ch.unicode() > 0 && ch.unicode() < 128 ? char(ch.unicode()) : 0;
    bool shifted = ch.isUpper() || (ascii != 0 && std::strchr(kShifted, ascii) != nullptr);
    return shifted ? Qt::ShiftModifier : Qt::NoModifier;
}

inline void TypeChar(QWidget* target, QChar ch) {
    QKeyEvent down(QEvent::KeyPress, KeyOf(ch), ModifiersOf(ch), QString(ch));
    QApplication::sendEvent(target, &down);
    QKeyEvent up(QEvent::KeyRelease, KeyOf(ch), ModifiersOf(ch), QString(ch));
    QApplication::sendEvent(target, &up);
}

inline void Type(QWidget* target, const QString& text) {
    for (QChar ch : text) TypeChar(target, ch);
}

// A dead key (no text of its own) followed by the character it composes with.
inline void TypeDeadKey(QWidget* target, int deadKey, QChar composed) {
    QKeyEvent dead(QEvent::KeyPress, deadKey, Qt::NoModifier, QString());
    QApplication::sendEvent(target, &dead);
    QKeyEvent deadUp(QEvent::KeyRelease, deadKey, Qt::NoModifier, QString());
    QApplication::sendEvent(target, &deadUp);
    TypeChar(target, composed);
}

// Several characters at once, as an input method commits them.
inline void Commit(QWidget* target, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(target, &event);
}

// Every printable ASCII character, space included.
inline QString PrintableAscii() {
    QString all;
    for (char c = 32; c < 127; ++c) all += QChar(c);
    return all;
}

}  // namespace typing
