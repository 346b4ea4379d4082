#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

namespace bramble {

class CKelpDoc;
class CListBoxEx;
class CStationList;

// "RawText": the unparsed lines of the data file for the readings selected
// in the station list, read again from the file at every rebuild, and
// printed with "Print". Modeless and without owner: the view keeps one,
// creates it on the first Raw command and then only shows and hides it;
// "OK" hides it. The list box follows the window's size.
class CRawDlg final : public QDialog {
    Q_OBJECT
public:
    CRawDlg();

    // What the view hands over before every showing. Both must outlive the
    // window or be handed over again.
    void SetSource(const CKelpDoc& doc, const CStationList& list, int sortColumn);

    // Reads the data file again and shows the lines of the selected
    // readings (CG-3) or the typed header and the file's head (Aliod). A
    // file that cannot be read is reported and leaves the text empty.
    void Rebuild();

    // Every line of the list box, in order.
    QStringList Lines() const;
    CListBoxEx* listBox() const { return m_pListBox; }

    QString m_strFile;
    const CKelpDoc* m_pDoc = nullptr;
    const CStationList* m_pList = nullptr;
    int m_nSortColumn = 0;

private:
    void OnPrint();

    CListBoxEx* m_pListBox = nullptr;  // 1063
};

}  // namespace bramble
