#pragma once

#include <functional>

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace bramble {

class CListBoxEx;
class SerialLogger;

// "GDump": where the survey data comes from. In "Instrument" mode the meter
// is logged through a serial port into a receive file (SerialLogger moves
// the bytes; the dialog shows its echo and its messages); in "ASCII File"
// mode an existing file is chosen and its lines are listed. The operator
// also picks the meter type. The dialog parses nothing: after OK the
// import reads the named file.
class CGDump final : public QDialog {
    Q_OBJECT
public:
    enum AcquireType { kInstrument = 0, kAsciiFile = 1 };
    enum MeterType { kCG3 = 0, kAliod = 1, kCG5 = 2, kCG6 = 3, kBurris = 4 };

    explicit CGDump(QWidget* parent = nullptr);

    // What the import reads after OK.
    bool InstrumentMode() const { return m_bInstrument; }
    bool AsciiFileMode() const { return m_bAsciiFile; }
    const QString& ReceiveFileName() const { return m_strRcvFilename; }
    const QString& AsciiFileName() const { return m_strAsciiFilename; }
    int MeterType() const { return m_nMeterType; }

    // How "Edit File..." opens a file: in a text editor of the desktop
    // unless replaced (tests record the call instead of starting an editor).
    // False when no editor could be started.
    using FileOpener = std::function<bool(const QString& path)>;
    void SetFileOpener(FileOpener opener) { m_openFile = std::move(opener); }

    CListBoxEx* List() const { return m_pList; }
    bool IsLogging() const { return m_bLogging; }

    // The filter of both file choosers: the data files first (DataFileFilters).
    static QString FileFilter();

    // Both end a running logging properly first: the waiting bytes go into
    // the receive file, which is closed, and the port is closed.
    void accept() override;
    void reject() override;

private:
    void BuildControls();
    void TakeFields();
    void ShowFields();
    void SwitchMode(int mode);

    void OnAcquireRadio();
    void OnCG3();
    void OnAliod();
    void OnChooseReceiveFile();
    void OnChooseAsciiFile();
    void OnStart();
    void OnStop();
    void OnSettings();
    void OnClearScreen();
    void OnEditFile();
    void OnReloadFile();

    // Runs the open-file dialog starting on `current`; empty when cancelled.
    QString ChooseFile(const QString& title, const QString& current);
    // Appends every line of `path` to the list (keep-all).
    void LoadFileIntoList(const QString& path);
    void OnLineEchoed(const QString& line);
    void OnPortLost(const QString& device);
    void EndLogging();
    void LockWhileLogging(bool logging);
    // A message box with the caption "Error" and the stop icon.
    void ErrorBox(const QString& text, const char* name);

    // Fields.
    QString m_strRcvFilename;
    QString m_strAsciiFilename;
    int m_nAcquireType = kInstrument;
    int m_nMeterType = kCG3;
    bool m_bInstrument = true;
    bool m_bAsciiFile = false;
    int m_nRcvBytes = 0;
    int m_nEchoedLines = 0;
    bool m_bPortOpen = false;
    bool m_bLogging = false;
    double m_dBaud = 0.0;
    double m_dByteSize = 0.0;
    double m_dParity = 0.0;
    double m_dStopBits = 0.0;

    // Controls, owned by the dialog.
    QRadioButton* m_pInstrumentRadio = nullptr;  // 1014
    QRadioButton* m_pAsciiRadio = nullptr;       // 1015
    QButtonGroup* m_pAcquireGroup = nullptr;
    QRadioButton* m_pCG3Radio = nullptr;    // 1173
    QRadioButton* m_pAliodRadio = nullptr;  // 1174
    QRadioButton* m_pCG5Radio = nullptr;
    QRadioButton* m_pCG6Radio = nullptr;
    QRadioButton* m_pBurrisRadio = nullptr;
    QButtonGroup* m_pMeterGroup = nullptr;
    QGroupBox* m_pInstrumentBox = nullptr;  // 1019
    QGroupBox* m_pAsciiBox = nullptr;       // 1018
    QGroupBox* m_pOutputBox = nullptr;      // 1020
    QGroupBox* m_pControlsBox = nullptr;    // 1021
    QLineEdit* m_pRcvEdit = nullptr;        // 1004
    QPushButton* m_pRcvBrowse = nullptr;    // 1006
    QLineEdit* m_pAsciiEdit = nullptr;      // 1016
    QPushButton* m_pAsciiBrowse = nullptr;  // 1017
    QPushButton* m_pStart = nullptr;        // 1007
    QPushButton* m_pStop = nullptr;         // 1008
    QPushButton* m_pSettings = nullptr;     // 1009
    CListBoxEx* m_pList = nullptr;          // 1002
    QLineEdit* m_pByteCount = nullptr;      // 1003
    QLabel* m_pByteCountLabel = nullptr;    // 1106
    QPushButton* m_pClear = nullptr;        // 1010
    QPushButton* m_pEditFile = nullptr;     // 1104
    QPushButton* m_pReload = nullptr;       // 1105
    QLineEdit* m_pBaudEdit = nullptr;       // 1088, hidden
    QLineEdit* m_pByteSizeEdit = nullptr;   // 1092, hidden
    QLineEdit* m_pParityEdit = nullptr;     // 1090, hidden
    QLineEdit* m_pStopBitsEdit = nullptr;   // 1091, hidden

    SerialLogger* m_pLogger = nullptr;  // child: owns the port and the open receive file
    FileOpener m_openFile;
    bool m_bLoading = false;  // a file is being listed
};

}  // namespace bramble
