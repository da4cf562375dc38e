#pragma once
// Answers the next modal box as a person would, by a click on its first button,
// Enter or Esc, from inside the box's own event loop. A box that ignores the
// answer is closed by force after a while, so that a test reports it instead
// of waiting for ever.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <string>

#include "platform/gui/Controls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/QtBridge.h"

enum class TAnswerBy { Click, Enter, Escape };

inline const char* AnswerName(TAnswerBy by) {
    return by == TAnswerBy::Click ? "click" : by == TAnswerBy::Enter ? "Enter" : "Esc";
}

class BoxCloser {
public:
    explicit BoxCloser(TAnswerBy by) : FBy(by) {
        FTimer.setInterval(10);
        QObject::connect(&FTimer, &QTimer::timeout, [this] { Tick(); });
        FTimer.start();
    }

    bool Seen() const { return FSeen; }
    // The box went away on the answer alone.
    bool ClosedByAnswer() const { return FSeen && !FForced; }
    std::string Title() const { return FTitle; }

private:
    void Tick() {
        QWidget* box = QApplication::activeModalWidget();
        if (!FSeen) {
            if (!box) return;
            FSeen = true;
            FBox = box;
            FTitle = box->windowTitle().toStdString();
            Answer(box);
            return;
        }
        if (box != FBox || !box->isVisible()) {
            FTimer.stop();
            return;
        }
        if (++FWaited < 30) return;
        // Stuck: close it behind the user's back and say so.
        FForced = true;
        FTimer.stop();
        if (auto* dialog = qobject_cast<QDialog*>(box))
            dialog->reject();
        else if (auto* form = dynamic_cast<TForm*>(TQtBridge::ControlOf(box)))
            form->SetModalResult(mrCancel);
    }

    static QWidget* FirstButton(QWidget* box) {
        if (auto* dialog = qobject_cast<QDialog*>(box)) {
            auto buttons = dialog->findChildren<QAbstractButton*>();
            return buttons.isEmpty() ? nullptr : buttons.front();
        }
        auto* form = dynamic_cast<TWinControl*>(TQtBridge::ControlOf(box));
        for (int i = 0; form && i < form->ControlCount(); ++i)
            if (auto* c = dynamic_cast<TWinControl*>(form->Controls(i)); c && c->Name.starts_with("btn"))
                return c->Widget();
        return nullptr;
    }

    void Answer(QWidget* box) {
        if (FBy == TAnswerBy::Click) {
            QWidget* button = FirstButton(box);
            if (!button) return;
            const QPointF at(button->width() / 2, button->height() / 2);
            const QPointF global = button->mapToGlobal(at);
            QMouseEvent down(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(button, &down);
            QMouseEvent up(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(button, &up);
            return;
        }
        const int key = FBy == TAnswerBy::Enter ? Qt::Key_Return : Qt::Key_Escape;
        const QString text = FBy == TAnswerBy::Enter ? QString("\r") : QString(QChar(27));
        QWidget* target = box->focusWidget() ? box->focusWidget() : box;
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &down);
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &up);
    }

    TAnswerBy FBy;
    QTimer FTimer;
    QWidget* FBox = nullptr;
    bool FSeen = false;
    bool FForced = false;
    int FWaited = 0;
    std::string FTitle;
};
