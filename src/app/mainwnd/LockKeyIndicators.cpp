#include "mainwnd/LockKeyIndicators.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>

namespace bramble {
namespace {

// X11 modifier bits: Lock is Caps Lock, Mod2 is Num Lock on every usual keymap.
constexpr quint32 kX11LockMask = 0x02;
constexpr quint32 kX11Mod2Mask = 0x10;

QLabel* MakePane(QStatusBar* bar, const QString& text, const QString& name)
{
    auto* pane = new QLabel(text, bar);
    pane->setObjectName(name);
    pane->setAlignment(Qt::AlignCenter);
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // Keep the width when the text is hidden, like a status-bar indicator.
    pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(text) + 12);
    bar->addPermanentWidget(pane);
    return pane;
}

}  // namespace

LockKeyIndicators::LockKeyIndicators(QStatusBar* statusBar)
    : QObject(statusBar), m_nativeState(QGuiApplication::platformName() == "xcb")
{
    m_capPane = MakePane(statusBar, "CAP", "capPane");
    m_numPane = MakePane(statusBar, "NUM", "numPane");
    m_scrlPane = MakePane(statusBar, "SCRL", "scrlPane");
    QCoreApplication::instance()->installEventFilter(this);
    show();
}

bool LockKeyIndicators::eventFilter(QObject* watched, QEvent* event)
{
    const bool isKey = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (!isKey || !watched->isWindowType())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (m_nativeState && key->nativeModifiers() != 0) {
        // The state the event carries is the one before the key: a lock
        // key's own release reports the new state.
        m_caps = (key->nativeModifiers() & kX11LockMask) != 0;
        m_num = (key->nativeModifiers() & kX11Mod2Mask) != 0;
    } else if (event->type() == QEvent::KeyPress && !key->isAutoRepeat()) {
        if (key->key() == Qt::Key_CapsLock)
            m_caps = !m_caps;
        else if (key->key() == Qt::Key_NumLock)
            m_num = !m_num;
    }
    // Scroll Lock is no X11 modifier: its presses toggle it everywhere.
    if (event->type() == QEvent::KeyPress && !key->isAutoRepeat() && key->key() == Qt::Key_ScrollLock)
        m_scroll = !m_scroll;
    show();
    return false;
}

void LockKeyIndicators::show()
{
    // An indicator that is off keeps its pane but shows no text.
    m_capPane->setText(m_caps ? "CAP" : QString());
    m_numPane->setText(m_num ? "NUM" : QString());
    m_scrlPane->setText(m_scroll ? "SCRL" : QString());
}

}  // namespace bramble
