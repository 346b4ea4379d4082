#pragma once

#include <QLineEdit>

class QListWidget;

namespace bramble {

// An in-place editor laid over one row of a list box. Enter, Tab, a click
// outside it or the loss of focus commit the typed text into the row;
// Escape cancels. The editor is a child of the list's viewport and deletes
// itself once the edit has ended (or at once when StartEdit fails), so its
// creator keeps no pointer to it.
class CLBEditorWnd final : public QLineEdit {
    Q_OBJECT
public:
    explicit CLBEditorWnd(QListWidget* list);

    // false when `row` is not a row of the list; the editor is then gone.
    bool StartEdit(int row);

    bool ended() const { return m_bEnded; }
    int row() const { return m_nRow; }

signals:
    // The edit has ended: committed (the row holds the editor's text) or cancelled.
    void finished(bool committed);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Finish(bool commit);

    QListWidget* m_pList;  // not owned
    int m_nRow = -1;
    bool m_bEnded = false;
};

// Lets the keyboard edit the rows of `list` in place: F2 starts a
// CLBEditorWnd on the current row. After an edit the list has the focus
// again, so the arrow keys go on moving in it.
void EditRowsWithF2(QListWidget* list);

}  // namespace bramble
