// A form of the component model shown modally as a Qt dialog. The model is the truth: the
// dialog is built from it, refreshed whenever it reports a change, and every user edit goes
// back into it (so its change events fire); the nested loop ends once it has a ModalResult.
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "platform/linux/QtConvert.h"
#include "platform/linux/QtFormWidgets.h"
#include "platform/linux/QtText.h"
#include "platform/linux/Services.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

namespace platform::linux_ {
namespace {

class FormDialog final : public QDialog {
public:
    FormDialog(ui::TForm& form, std::function<void()> onEscape)
        : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                               Qt::CustomizeWindowHint),
          FForm(form),
          FOnEscape(std::move(onEscape)) {}

protected:
    // The close box is the form's Close: mrCancel unless OnClose refuses. The dialog itself
    // goes only when the model has its result.
    void closeEvent(QCloseEvent* e) override {
        e->ignore();
        guardModelCall([this] { FForm.Close(); });
    }
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
            e->accept();
            FOnEscape();
            return;
        }
        QDialog::keyPressEvent(e);
    }
    // Escape and the close box are handled above; nothing else may end the dialog.
    void reject() override {}

private:
    ui::TForm& FForm;
    std::function<void()> FOnEscape;
};

class Session {
public:
    explicit Session(ui::TForm& form)
        : FForm(form), FDialog(form, [this] { PressCancel(); }) {
        FDialog.setObjectName(toQ(form.Name()));
        QObject::connect(qApp, &QApplication::focusChanged, &FDialog,
                         [this](QWidget*, QWidget* now) { FocusMoved(now); });
    }

    ui::TForm& Form() { return FForm; }

    // `front`: over every other window, the other programs' too.
    void Show(bool front) {
        Refresh();
        PlaceDialog();
        FDialog.setWindowModality(Qt::ApplicationModal);
        FDialog.show();
        if (front) FDialog.raise();
        FDialog.activateWindow();
        FFocused = nullptr;
        FocusActiveControl();
        if (FForm.ModalResult() == ui::mrNone) FLoop.exec();
        FDialog.hide();
    }

    void Raise() {
        if (!FDialog.isVisible()) return;
        FDialog.raise();
        FDialog.activateWindow();
    }

    void Changed() {
        if (FForm.ModalResult() != ui::mrNone) {
            FLoop.quit();
            return;
        }
        Refresh();
        FocusActiveControl();
    }

    QWidget* WidgetOf(ui::TControl* c) {
        auto it = FWidgets.find(c);
        return it == FWidgets.end() ? nullptr : it->second.data();
    }

private:
    // Builds missing widgets, updates all, and drops those whose controls are gone.
    void Refresh() {
        if (FRefreshing) return;
        FRefreshing = true;
        FDialog.setWindowTitle(toQ(FForm.Caption()));
        FDialog.setFont(toQFont(FForm.GetFont()));
        QSize size(FForm.ClientWidth(), FForm.ClientHeight());
        if (FForm.BorderStyle() == ui::bsSizeable || FForm.BorderStyle() == ui::bsSizeToolWin) {
            FDialog.setMinimumSize(0, 0);
            FDialog.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            if (!FDialog.isVisible()) FDialog.resize(size);
        } else if (FDialog.size() != size || FDialog.minimumSize() != size) {
            FDialog.setFixedSize(size);
        }
        std::set<ui::TControl*> live;
        guardModelCall([&] { Walk(FForm, &FDialog, live); });
        for (auto it = FWidgets.begin(); it != FWidgets.end();) {
            if (!live.count(it->first)) {
                delete it->second.data();
                it = FWidgets.erase(it);
            } else {
                ++it;
            }
        }
        FRefreshing = false;
    }

    void Walk(ui::TWinControl& parent, QWidget* parentWidget, std::set<ui::TControl*>& live) {
        std::vector<std::pair<ui::TWinControl*, QWidget*>> tabChain;
        for (int i = 0; i < parent.ControlCount(); ++i) {
            ui::TControl* c = parent.Controls(i);
            live.insert(c);
            QPointer<QWidget>& w = FWidgets[c];
            if (w && w->parentWidget() != parentWidget) w->setParent(parentWidget);
            if (!w) w = createControlWidget(*c, parentWidget);
            if (!w) continue;
            applyControl(*c, *w);
            if (auto* wc = dynamic_cast<ui::TWinControl*>(c)) {
                Walk(*wc, w, live);
                if (wc->TabStop()) tabChain.push_back({wc, w});
                w->setFocusPolicy(wc->TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
            }
        }
        // Tab moves in TabOrder; controls without one follow in creation order.
        std::stable_sort(tabChain.begin(), tabChain.end(), [](const auto& a, const auto& b) {
            auto key = [](ui::TWinControl* c) { return c->TabOrder() < 0 ? INT32_MAX : c->TabOrder(); };
            return key(a.first) < key(b.first);
        });
        for (std::size_t i = 1; i < tabChain.size(); ++i)
            QWidget::setTabOrder(tabChain[i - 1].second, tabChain[i].second);
    }

    void PlaceDialog() {
        if (FForm.Position() == ui::poDesigned) {
            FDialog.move(FForm.Left(), FForm.Top());
            return;
        }
        // Every centred position centres on the screen: the program has no other window.
        if (QScreen* s = QGuiApplication::primaryScreen()) {
            QRect area = s->availableGeometry();
            QRect r(QPoint(0, 0), FDialog.size());
            r.moveCenter(area.center());
            FDialog.move(r.topLeft());
        }
    }

    void FocusActiveControl() {
        ui::TWinControl* active = FForm.ActiveControl();
        if (active == FFocused) return;
        FFocused = active;
        if (QWidget* w = WidgetOf(active)) w->setFocus(Qt::OtherFocusReason);
    }

    // The user moved the focus: the form's active control follows.
    void FocusMoved(QWidget* now) {
        for (QWidget* w = now; w && w != &FDialog; w = w->parentWidget())
            for (auto& [control, widget] : FWidgets)
                if (widget == w) {
                    auto* wc = dynamic_cast<ui::TWinControl*>(control);
                    if (!wc || wc == FForm.ActiveControl()) return;
                    FFocused = wc;
                    guardModelCall([&] { FForm.SetActiveControl(wc); });
                    return;
                }
    }

    // Escape presses the form's Cancel button, as its click would.
    void PressCancel() {
        for (auto& [control, widget] : FWidgets) {
            auto* b = dynamic_cast<ui::TButton*>(control);
            if (b && b->Cancel() && widget && widget->isVisible() && widget->isEnabled()) {
                guardModelCall([b] { b->Click(); });
                return;
            }
        }
    }

    ui::TForm& FForm;
    FormDialog FDialog;
    QEventLoop FLoop;
    std::map<ui::TControl*, QPointer<QWidget>> FWidgets;
    ui::TWinControl* FFocused = nullptr;
    bool FRefreshing = false;
};

class QtFormDisplay final : public FormDisplay {
public:
    void ShowModal(ui::TForm& form) override {
        Session s(form);
        FSessions.push_back(&s);
        struct Pop {
            std::vector<Session*>& v;
            ~Pop() { v.pop_back(); }
        } pop{FSessions};
        bool front = FFront == &form;
        FFront = nullptr;
        s.Show(front);
    }

    void BringToFront(ui::TForm& form) override {
        for (auto it = FSessions.rbegin(); it != FSessions.rend(); ++it)
            if (&(*it)->Form() == &form) {
                (*it)->Raise();
                return;
            }
        // The form tells its window is shown just before it asks for it to be shown; a wish
        // that no showing follows in this turn of the loop lapses.
        FFront = &form;
        QMetaObject::invokeMethod(&FContext, [this, f = &form] {
            if (FFront == f) FFront = nullptr;
        }, Qt::QueuedConnection);
    }

    void FormChanged(ui::TForm& form) override {
        for (auto it = FSessions.rbegin(); it != FSessions.rend(); ++it)
            if (&(*it)->Form() == &form) (*it)->Changed();
    }

private:
    std::vector<Session*> FSessions;  // innermost last
    const ui::TForm* FFront = nullptr;
    QObject FContext;  // queued calls go with the display
};
}  // namespace

std::unique_ptr<FormDisplay> makeFormDisplay() { return std::make_unique<QtFormDisplay>(); }

}  // namespace platform::linux_
