#pragma once
// Answers the next modal box as a person would, from inside its own event loop.
// A box that ignores the answer is closed by force, so the test fails, not hangs.

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
            const QPointF at(button->width() / 2, button->height() / 2), global = button->mapToGlobal(at);
            for (auto [type, buttons] : {std::pair{QEvent::MouseButtonPress, Qt::LeftButton},
                                         std::pair{QEvent::MouseButtonRelease, Qt::NoButton}}) {
                QMouseEvent e(type, at, global, Qt::LeftButton, buttons, Qt::NoModifier);
                QApplication::sendEvent(button, &e);
            }
            return;
        }
        const int key = FBy == TAnswerBy::Enter ? Qt::Key_Return : Qt::Key_Escape;
        const QString text = FBy == TAnswerBy::Enter ? QString("\r") : QString(QChar(27));
        QWidget* target = box->focusWidget() ? box->focusWidget() : box;
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent e(type, key, Qt::NoModifier, text);
            QApplication::sendEvent(target, &e);
        }
    }

    TAnswerBy FBy;
    QTimer FTimer;
    QWidget* FBox = nullptr;
    bool FSeen = false;
    bool FForced = false;
    int FWaited = 0;
    std::string FTitle;
};
