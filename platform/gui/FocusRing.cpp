#include "platform/gui/FocusRing.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QWidget>

#include "platform/gui/QtBridge.h"

namespace {

constexpr int kRingWidth = 2;

// Drawn over the focused widget, inside its edge (a widget that fills its
// parent leaves no room outside); it takes no input and no focus.
class TRingWidget : public QWidget {
public:
    TRingWidget() {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QPen pen(palette().color(QPalette::Active, QPalette::Highlight), kRingWidth);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(kRingWidth / 2.0, kRingWidth / 2.0, -kRingWidth / 2.0, -kRingWidth / 2.0));
    }
};

class TFocusRing : public QObject {
public:
    TFocusRing() : QObject(qApp) {
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { Follow(now); });
    }

    QWidget* Target() const { return FRing && FRing->isVisible() ? FTarget.data() : nullptr; }

protected:
    bool eventFilter(QObject* object, QEvent* e) override {
        if (object == FTarget) {
            switch (e->type()) {
                case QEvent::Move: case QEvent::Resize: case QEvent::Show: case QEvent::Hide:
                case QEvent::EnabledChange: case QEvent::ZOrderChange:
                    Place();
                    break;
                default: break;
            }
        }
        return false;
    }

private:
    // The window of the control that holds the focus, or nullptr when that
    // control marks its focus itself.
    static QWidget* Marked(QWidget* focused) {
        if (!focused) return nullptr;
        TWinControl* control = TQtBridge::ControlOf(focused);
        if (!control || !control->Widget() || control->ShowsOwnFocus()) return nullptr;
        if (!control->Widget()->parentWidget()) return nullptr;  // a form
        return control->Widget();
    }

    void Follow(QWidget* now) {
        if (FTarget) FTarget->removeEventFilter(this);
        FTarget = Marked(now);
        if (FTarget) FTarget->installEventFilter(this);
        Place();
    }

    void Place() {
        QWidget* target = FTarget;
        if (!target || !target->isVisible() || !target->isEnabled()) {
            if (FRing) FRing->hide();
            return;
        }
        if (!FRing) FRing = new TRingWidget;
        if (FRing->parentWidget() != target->parentWidget()) FRing->setParent(target->parentWidget());
        FRing->setGeometry(target->geometry());
        FRing->show();
        FRing->raise();
        FRing->update();
    }

    QPointer<QWidget> FTarget;
    QPointer<TRingWidget> FRing;
};

TFocusRing* gRing = nullptr;

}  // namespace

namespace focus_ring {

void Install() {
    if (gRing || !qApp) return;
    gRing = new TFocusRing;
    QObject::connect(gRing, &QObject::destroyed, [] { gRing = nullptr; });
}

QWidget* Target() { return gRing ? gRing->Target() : nullptr; }

}  // namespace focus_ring
