#include "logger/CLBEditorWnd.h"

#include <algorithm>

#include <QKeyEvent>
#include <QListWidget>

namespace bramble {
namespace {

// F2 on the list starts an editor on its current row.
class F2Editing final : public QObject {
public:
    explicit F2Editing(QListWidget* list) : QObject(list), m_pList(list) { list->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_pList && event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2 && m_pList->currentRow() >= 0 && !Editing()) {
            (new CLBEditorWnd(m_pList))->StartEdit(m_pList->currentRow());
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool Editing() const
    {
        const auto editors = m_pList->findChildren<CLBEditorWnd*>();
        return std::any_of(editors.begin(), editors.end(), [](const CLBEditorWnd* e) { return !e->ended(); });
    }

    QListWidget* m_pList;
};

}  // namespace

void EditRowsWithF2(QListWidget* list) { new F2Editing(list); }

CLBEditorWnd::CLBEditorWnd(QListWidget* list) : QLineEdit(list->viewport()), m_pList(list)
{
    setObjectName("listBoxEditor");
    hide();
}

bool CLBEditorWnd::StartEdit(int row)
{
    if (row < 0 || row >= m_pList->count()) {
        deleteLater();
        return false;
    }
    m_nRow = row;
    QListWidgetItem* item = m_pList->item(row);
    m_pList->scrollToItem(item);
    setGeometry(m_pList->visualItemRect(item).adjusted(-1, -1, 1, 1));
    setFont(m_pList->font());
    setText(item->text());
    show();
    grabMouse();
    setFocus(Qt::OtherFocusReason);
    return true;
}

bool CLBEditorWnd::event(QEvent* event)
{
    // Tab would otherwise move the focus before keyPressEvent sees it; the
    // dialog must act on none of Tab, Enter or Escape while editing.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            Finish(true);
            return true;
        }
    }
    if (event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_Tab) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CLBEditorWnd::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Finish(true);
        event->accept();
        return;
    case Qt::Key_Escape:
        Finish(false);
        event->accept();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void CLBEditorWnd::mousePressEvent(QMouseEvent* event)
{
    // The editor holds the mouse: a press anywhere else ends the edit.
    if (rect().contains(event->position().toPoint())) {
        QLineEdit::mousePressEvent(event);
        return;
    }
    Finish(true);
}

void CLBEditorWnd::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    Finish(true);
}

void CLBEditorWnd::Finish(bool commit)
{
    if (m_bEnded)
        return;
    m_bEnded = true;
    releaseMouse();
    if (commit && m_nRow >= 0 && m_nRow < m_pList->count()) {
        const QString typed = text();
        delete m_pList->takeItem(m_nRow);
        m_pList->insertItem(m_nRow, typed);
        m_pList->setCurrentRow(m_nRow);
    }
    // The keyboard goes back to the list, not to whatever widget follows the
    // editor in the focus chain.
    if (hasFocus())
        m_pList->setFocus(Qt::OtherFocusReason);
    hide();
    emit finished(commit);
    deleteLater();
}

}  // namespace bramble
