#pragma once

#include <QObject>

class QLabel;
class QStatusBar;

namespace bramble {

// The "CAP", "NUM" and "SCRL" panes of the status bar. They follow the
// keyboard: on X11 every key event carries the lock state in its native
// modifiers; elsewhere a press of the lock key toggles the pane. Key events
// are watched on the top-level windows only, so that an event travelling up
// the widget tree counts once.
class LockKeyIndicators final : public QObject {
    Q_OBJECT
public:
    // Adds the three panes to the right of the status bar; they are owned by it.
    explicit LockKeyIndicators(QStatusBar* statusBar);

    bool capsLock() const { return m_caps; }
    bool numLock() const { return m_num; }
    bool scrollLock() const { return m_scroll; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show();

    QLabel* m_capPane = nullptr;
    QLabel* m_numPane = nullptr;
    QLabel* m_scrlPane = nullptr;
    bool m_caps = false;
    bool m_num = false;
    bool m_scroll = false;
    bool m_nativeState = false;  // key events carry X11 modifier state
};

}  // namespace bramble
