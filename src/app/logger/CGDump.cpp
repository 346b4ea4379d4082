#include "logger/CGDump.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QVBoxLayout>

#include "logger/CDlgMeterSetup.h"
#include "logger/CListBoxEx.h"
#include "logger/LoggerProfile.h"
#include "logger/SerialLogger.h"
#include "logger/TextEditorLauncher.h"
#include "mainwnd/AppIcon.h"
#include "survey/FileChoosers.h"

namespace bramble {
namespace {

// Lines longer than this are listed in pieces, so that a file without line
// ends (a binary file) cannot make one huge row.
constexpr qint64 kMaxListedLine = 4096;
// While a long file is listed the dialog repaints every so many lines.
constexpr int kLinesPerRepaint = 20000;

QPushButton* MakeButton(const QString& caption, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* MakeHiddenEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->hide();
    return edit;
}

}  // namespace

QString CGDump::FileFilter() { return DataFileFilters(); }

CGDump::CGDump(QWidget* parent) : QDialog(parent)
{
    setObjectName("gdumpDialog");
    setWindowTitle("GDump");
    setWindowIcon(AppIcon());
    m_openFile = OpenInTextEditor;
    BuildControls();

    m_pLogger = new SerialLogger(this);
    connect(m_pLogger, &SerialLogger::lineEchoed, this, &CGDump::OnLineEchoed);
    connect(m_pLogger, &SerialLogger::bytesReceived, this, [this](qint64 total) {
        m_nRcvBytes = static_cast<int>(total);
        m_pByteCount->setText(QString::number(m_nRcvBytes));
    });
    connect(m_pLogger, &SerialLogger::writeFailed, this, [this] {
        QMessageBox box(QMessageBox::NoIcon, "GDump", "Error in WriteFile() ", QMessageBox::Ok, this);
        box.setObjectName("writeErrorBox");
        box.exec();
    });
    connect(m_pLogger, &SerialLogger::transferEnded, this, &CGDump::OnStop);
    // Queued: the port reports its loss from inside its own notification.
    connect(m_pLogger, &SerialLogger::portLost, this, &CGDump::OnPortLost, Qt::QueuedConnection);

    // Opening: instrument mode, meter CG3, nothing received yet.
    m_bInstrument = true;
    m_bAsciiFile = false;
    m_nMeterType = kCG3;
    m_nAcquireType = kInstrument;
    m_nEchoedLines = 0;
    SwitchMode(kInstrument);
    m_bPortOpen = false;
    m_nRcvBytes = 0;
    m_bLogging = false;
    ShowFields();
    m_pStop->setEnabled(false);
}

void CGDump::BuildControls()
{
    // Acquire type and meter type: radios in unlabelled frames.
    auto* acquireBox = new QGroupBox(this);
    acquireBox->setObjectName("acquireTypeBox");
    m_pInstrumentRadio = new QRadioButton("Instrument", acquireBox);
    m_pInstrumentRadio->setObjectName("instrumentRadio");
    m_pAsciiRadio = new QRadioButton("ASCII File", acquireBox);
    m_pAsciiRadio->setObjectName("asciiFileRadio");
    m_pAcquireGroup = new QButtonGroup(this);
    m_pAcquireGroup->addButton(m_pInstrumentRadio, kInstrument);
    m_pAcquireGroup->addButton(m_pAsciiRadio, kAsciiFile);
    auto* acquireLayout = new QHBoxLayout(acquireBox);
    acquireLayout->addWidget(m_pInstrumentRadio);
    acquireLayout->addWidget(m_pAsciiRadio);

    auto* meterBox = new QGroupBox(this);
    meterBox->setObjectName("meterTypeBox");
    m_pCG3Radio = new QRadioButton("CG3", meterBox);
    m_pCG3Radio->setObjectName("cg3Radio");
    m_pAliodRadio = new QRadioButton("Aliod", meterBox);
    m_pAliodRadio->setObjectName("aliodRadio");
    m_pCG5Radio = new QRadioButton("CG-5", meterBox);
    m_pCG5Radio->setObjectName("cg5Radio");
    m_pCG6Radio = new QRadioButton("CG-6", meterBox);
    m_pCG6Radio->setObjectName("cg6Radio");
    m_pBurrisRadio = new QRadioButton("Burris", meterBox);
    m_pBurrisRadio->setObjectName("burrisRadio");
    m_pMeterGroup = new QButtonGroup(this);
    m_pMeterGroup->addButton(m_pCG3Radio, kCG3);
    m_pMeterGroup->addButton(m_pAliodRadio, kAliod);
    m_pMeterGroup->addButton(m_pCG5Radio, kCG5);
    m_pMeterGroup->addButton(m_pCG6Radio, kCG6);
    m_pMeterGroup->addButton(m_pBurrisRadio, kBurris);
    auto* meterLayout = new QHBoxLayout(meterBox);
    meterLayout->addWidget(m_pCG3Radio);
    meterLayout->addWidget(m_pAliodRadio);
    meterLayout->addWidget(m_pCG5Radio);
    meterLayout->addWidget(m_pCG6Radio);
    meterLayout->addWidget(m_pBurrisRadio);

    // File names.
    m_pInstrumentBox = new QGroupBox("Instrument", this);
    m_pInstrumentBox->setObjectName("instrumentBox");
    m_pRcvEdit = new QLineEdit(m_pInstrumentBox);
    m_pRcvEdit->setObjectName("receiveFileEdit");
    m_pRcvBrowse = MakeButton("...", "receiveBrowseButton", m_pInstrumentBox);
    m_pRcvBrowse->setFixedWidth(32);
    auto* rcvLayout = new QHBoxLayout(m_pInstrumentBox);
    rcvLayout->addWidget(m_pRcvEdit, 1);
    rcvLayout->addWidget(m_pRcvBrowse);

    m_pAsciiBox = new QGroupBox("ASCII", this);
    m_pAsciiBox->setObjectName("asciiBox");
    m_pAsciiEdit = new QLineEdit(m_pAsciiBox);
    m_pAsciiEdit->setObjectName("asciiFileEdit");
    m_pAsciiBrowse = MakeButton("...", "asciiBrowseButton", m_pAsciiBox);
    m_pAsciiBrowse->setFixedWidth(32);
    auto* asciiLayout = new QHBoxLayout(m_pAsciiBox);
    asciiLayout->addWidget(m_pAsciiEdit, 1);
    asciiLayout->addWidget(m_pAsciiBrowse);

    // The list of received or chosen lines.
    m_pList = new CListBoxEx(this);
    m_pList->setObjectName("outputList");
    // Wide enough for the 79-character lines of a meter dump.
    const int textWidth = m_pList->fontMetrics().horizontalAdvance(QString(80, QChar('0')));
    m_pList->setMinimumSize(textWidth + m_pList->verticalScrollBar()->sizeHint().width() + 8, 320);
    // The live echo keeps only the rows that fit; a horizontal scroll bar
    // that came and went with long lines would change that number under it.
    m_pList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    // Logging controls.
    m_pControlsBox = new QGroupBox("Controls", this);
    m_pControlsBox->setObjectName("controlsBox");
    m_pStart = MakeButton("&Start", "startButton", m_pControlsBox);
    m_pStop = MakeButton("S&top", "stopButton", m_pControlsBox);
    m_pSettings = MakeButton("S&ettings", "settingsButton", m_pControlsBox);
    auto* controlsLayout = new QVBoxLayout(m_pControlsBox);
    controlsLayout->addWidget(m_pStart);
    controlsLayout->addWidget(m_pStop);
    controlsLayout->addWidget(m_pSettings);

    m_pOutputBox = new QGroupBox("Output", this);
    m_pOutputBox->setObjectName("outputBox");
    m_pByteCountLabel = new QLabel("Received Byte Count", m_pOutputBox);
    m_pByteCountLabel->setObjectName("byteCountLabel");
    m_pByteCount = new QLineEdit(m_pOutputBox);
    m_pByteCount->setObjectName("byteCountEdit");
    m_pByteCount->setReadOnly(true);
    m_pByteCount->setAlignment(Qt::AlignRight);
    m_pClear = MakeButton("&Clear Screen", "clearButton", m_pOutputBox);
    auto* outputLayout = new QVBoxLayout(m_pOutputBox);
    outputLayout->addWidget(m_pByteCountLabel);
    outputLayout->addWidget(m_pByteCount);
    outputLayout->addWidget(m_pClear);

    m_pEditFile = MakeButton("Edit File...", "editFileButton", this);
    m_pReload = MakeButton("Reload File", "reloadButton", this);
    auto* ok = MakeButton("&OK", "okButton", this);
    ok->setDefault(true);
    auto* cancel = MakeButton("&Cancel", "cancelButton", this);

    // The port settings as read back from the port; never shown.
    m_pBaudEdit = MakeHiddenEdit("baudEdit", this);
    m_pByteSizeEdit = MakeHiddenEdit("byteSizeEdit", this);
    m_pParityEdit = MakeHiddenEdit("parityEdit", this);
    m_pStopBitsEdit = MakeHiddenEdit("stopBitsEdit", this);

    auto* radios = new QHBoxLayout;
    radios->addWidget(acquireBox);
    radios->addWidget(meterBox);
    radios->addStretch(1);

    auto* side = new QVBoxLayout;
    side->addWidget(m_pControlsBox);
    side->addWidget(m_pOutputBox);
    side->addWidget(m_pEditFile);
    side->addWidget(m_pReload);
    side->addStretch(1);
    side->addWidget(ok);
    side->addWidget(cancel);

    auto* grid = new QGridLayout(this);
    grid->addLayout(radios, 0, 0, 1, 2);
    grid->addWidget(m_pInstrumentBox, 1, 0);
    grid->addWidget(m_pAsciiBox, 2, 0);
    grid->addWidget(m_pList, 3, 0);
    grid->addLayout(side, 1, 1, 3, 1);
    grid->setRowStretch(3, 1);
    grid->setSizeConstraint(QLayout::SetFixedSize);  // the dialog has a fixed size

    connect(m_pInstrumentRadio, &QRadioButton::clicked, this, &CGDump::OnAcquireRadio);
    connect(m_pAsciiRadio, &QRadioButton::clicked, this, &CGDump::OnAcquireRadio);
    connect(m_pCG3Radio, &QRadioButton::clicked, this, &CGDump::OnCG3);
    connect(m_pAliodRadio, &QRadioButton::clicked, this, &CGDump::OnAliod);
    for (QRadioButton* fileMeter : {m_pCG5Radio, m_pCG6Radio, m_pBurrisRadio})
        connect(fileMeter, &QRadioButton::clicked, this, &CGDump::OnAliod);
    // Every change of the receive file name goes into its field at once.
    connect(m_pRcvEdit, &QLineEdit::textEdited, this, [this](const QString& text) { m_strRcvFilename = text; });
    connect(m_pRcvBrowse, &QPushButton::clicked, this, &CGDump::OnChooseReceiveFile);
    connect(m_pAsciiBrowse, &QPushButton::clicked, this, &CGDump::OnChooseAsciiFile);
    connect(m_pStart, &QPushButton::clicked, this, &CGDump::OnStart);
    connect(m_pStop, &QPushButton::clicked, this, &CGDump::OnStop);
    connect(m_pSettings, &QPushButton::clicked, this, &CGDump::OnSettings);
    connect(m_pClear, &QPushButton::clicked, this, &CGDump::OnClearScreen);
    connect(m_pEditFile, &QPushButton::clicked, this, &CGDump::OnEditFile);
    connect(m_pReload, &QPushButton::clicked, this, &CGDump::OnReloadFile);
    connect(ok, &QPushButton::clicked, this, &CGDump::accept);
    connect(cancel, &QPushButton::clicked, this, &CGDump::reject);
}

void CGDump::TakeFields()
{
    m_strRcvFilename = m_pRcvEdit->text();
    m_strAsciiFilename = m_pAsciiEdit->text();
    m_nAcquireType = m_pAcquireGroup->checkedId() < 0 ? kInstrument : m_pAcquireGroup->checkedId();
    m_nMeterType = m_pMeterGroup->checkedId() < 0 ? kCG3 : m_pMeterGroup->checkedId();
    m_nRcvBytes = m_pByteCount->text().toInt();
    m_dBaud = m_pBaudEdit->text().toDouble();
    m_dByteSize = m_pByteSizeEdit->text().toDouble();
    m_dParity = m_pParityEdit->text().toDouble();
    m_dStopBits = m_pStopBitsEdit->text().toDouble();
}

void CGDump::ShowFields()
{
    m_pRcvEdit->setText(m_strRcvFilename);
    m_pAsciiEdit->setText(m_strAsciiFilename);
    m_pAcquireGroup->button(m_nAcquireType == kAsciiFile ? kAsciiFile : kInstrument)->setChecked(true);
    QAbstractButton* meter = m_pMeterGroup->button(m_nMeterType);
    (meter ? meter : m_pMeterGroup->button(kCG3))->setChecked(true);
    m_pByteCount->setText(QString::number(m_nRcvBytes));
    m_pBaudEdit->setText(QString::number(m_dBaud));
    m_pByteSizeEdit->setText(QString::number(m_dByteSize));
    m_pParityEdit->setText(QString::number(m_dParity));
    m_pStopBitsEdit->setText(QString::number(m_dStopBits));
}

void CGDump::SwitchMode(int mode)
{
    const bool ascii = mode == kAsciiFile;
    for (QWidget* w : {static_cast<QWidget*>(m_pAsciiEdit), static_cast<QWidget*>(m_pAsciiBrowse),
                       static_cast<QWidget*>(m_pAsciiBox)})
        w->setEnabled(ascii);
    for (QWidget* w :
         {static_cast<QWidget*>(m_pInstrumentBox), static_cast<QWidget*>(m_pControlsBox),
          static_cast<QWidget*>(m_pClear), static_cast<QWidget*>(m_pSettings), static_cast<QWidget*>(m_pStop),
          static_cast<QWidget*>(m_pStart), static_cast<QWidget*>(m_pRcvBrowse), static_cast<QWidget*>(m_pRcvEdit),
          static_cast<QWidget*>(m_pOutputBox), static_cast<QWidget*>(m_pByteCountLabel),
          static_cast<QWidget*>(m_pByteCount)})
        w->setEnabled(!ascii);
    m_pReload->setEnabled(false);
    m_bInstrument = !ascii;
    m_bAsciiFile = ascii;
}

void CGDump::OnAcquireRadio()
{
    TakeFields();
    SwitchMode(m_nAcquireType);
    ShowFields();
}

void CGDump::OnAliod()
{
    // Only a CG-3 is logged here: the data of an Aliod, CG-5, CG-6 or
    // Burris meter always comes from a file.
    TakeFields();
    m_nAcquireType = kAsciiFile;
    SwitchMode(kAsciiFile);
    m_pInstrumentRadio->setEnabled(false);
    ShowFields();
}

void CGDump::OnCG3()
{
    TakeFields();
    SwitchMode(m_nAcquireType);
    m_pInstrumentRadio->setEnabled(true);
    ShowFields();
}

QString CGDump::ChooseFile(const QString& title, const QString& current)
{
    // In the folder of the file named, else of the last data file read.
    QFileDialog chooser(this, title, ChooserStart(current), FileFilter());
    chooser.setObjectName("fileChooser");
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    chooser.setFileMode(QFileDialog::AnyFile);  // the file need not exist
    if (!current.isEmpty())
        chooser.selectFile(current);
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return {};
    return chooser.selectedFiles().constFirst();
}

void CGDump::OnChooseReceiveFile()
{
    TakeFields();
    const QString path = ChooseFile("Receive File", m_strRcvFilename);
    if (path.isEmpty())
        return;
    m_strRcvFilename = path;
    m_strAsciiFilename.clear();
    ShowFields();
    QSettings().setValue("Settings/RcvFilename", path);
}

void CGDump::OnChooseAsciiFile()
{
    TakeFields();
    const QString path = ChooseFile("ASCII File", m_strAsciiFilename);
    if (path.isEmpty())
        return;
    m_pList->clear();
    m_strAsciiFilename = path;
    ShowFields();
    QSettings().setValue("Settings/SndRcvFilename", path);
    LoadFileIntoList(path);
    m_strRcvFilename.clear();
    ShowFields();
}

void CGDump::LoadFileIntoList(const QString& path)
{
    if (m_bLoading)
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QMessageBox::warning(this, "GDump", QString("Cannot open %1:\n%2").arg(path, file.errorString()));
        return;
    }
    m_bLoading = true;
    m_pList->setUpdatesEnabled(false);
    int lines = 0;
    while (!file.atEnd()) {
        QByteArray line = file.readLine(kMaxListedLine);
        if (line.endsWith('\n'))
            line.chop(1);
        m_pList->AddLine(QString::fromLocal8Bit(line), true);
        if (++lines % kLinesPerRepaint == 0) {
            // A long file: keep the dialog painted, but take no input meanwhile.
            m_pList->setUpdatesEnabled(true);
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            m_pList->setUpdatesEnabled(false);
        }
    }
    m_pList->setUpdatesEnabled(true);
    m_bLoading = false;
}

void CGDump::ErrorBox(const QString& text, const char* name)
{
    QMessageBox box(QMessageBox::Critical, "Error", text, QMessageBox::Ok, this);
    box.setObjectName(name);
    box.exec();
}

void CGDump::OnStart()
{
    TakeFields();
    m_pList->clear();
    m_strAsciiFilename.clear();
    if (m_strRcvFilename.isEmpty()) {
        ShowFields();
        ErrorBox("Receive File Name must be entered!", "noReceiveFileBox");
        m_pRcvBrowse->setFocus();
        return;
    }
    const SerialLogger::FileOpen opened = m_pLogger->OpenReceiveFile(m_strRcvFilename);
    if (opened == SerialLogger::FileOpen::Failed) {
        ErrorBox("Cannot create receive file!", "cannotCreateBox");
        return;
    }
    if (opened == SerialLogger::FileOpen::Existing) {
        QMessageBox box(QMessageBox::NoIcon, "GDump",
                        "YES to append to existing file.\n\nNO to over-write existing File\n\nCANCEL to exit",
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
        box.setObjectName("appendBox");
        const int answer = box.exec();
        if (answer == QMessageBox::No) {
            m_pLogger->TruncateReceiveFile();
        } else if (answer != QMessageBox::Yes) {
            m_pLogger->CloseReceiveFile();
            return;
        }
    }
    // New bytes follow the file's end; the echo starts at the first line
    // they complete, also on a second Start.
    m_pLogger->BeginAppending();
    m_nRcvBytes = 0;
    m_nEchoedLines = static_cast<int>(m_pLogger->EchoedLines());
    ShowFields();

    const LoggerSettings settings = LoadLoggerSettings();
    if (!m_pLogger->IsPortOpen()) {
        if (!m_pLogger->OpenPort(settings)) {
            ErrorBox("Cannot open Comport!", "cannotOpenPortBox");
            m_pLogger->CloseReceiveFile();
            m_bPortOpen = false;
            return;
        }
        m_bPortOpen = true;
        const SerialLogger::PortSettings port = m_pLogger->ReadBackSettings();
        m_dBaud = port.baud;
        m_dByteSize = port.byteSize;
        m_dParity = port.parity;
        m_dStopBits = port.stopBits;
        ShowFields();
    }

    m_pStop->setEnabled(true);
    m_pStop->setFocus();
    m_pStart->setEnabled(false);
    m_pSettings->setEnabled(false);
    LockWhileLogging(true);
    setWindowTitle("Com_File - Logging");
    m_pLogger->StartPolling(settings.interval);
    m_bLogging = true;
}

void CGDump::LockWhileLogging(bool logging)
{
    // While bytes go into the receive file, its name, the file commands and
    // the mode and meter choices stay as they are: Stop lists, and OK
    // imports, the file that was logged.
    for (QWidget* w :
         {static_cast<QWidget*>(m_pRcvEdit), static_cast<QWidget*>(m_pRcvBrowse), static_cast<QWidget*>(m_pEditFile),
          static_cast<QWidget*>(m_pInstrumentRadio), static_cast<QWidget*>(m_pAsciiRadio),
          static_cast<QWidget*>(m_pCG3Radio), static_cast<QWidget*>(m_pAliodRadio), static_cast<QWidget*>(m_pCG5Radio),
          static_cast<QWidget*>(m_pCG6Radio), static_cast<QWidget*>(m_pBurrisRadio)})
        w->setEnabled(!logging);
}

void CGDump::OnLineEchoed(const QString& line)
{
    m_pList->AddLine(line, false);
    ++m_nEchoedLines;
    ShowFields();
}

void CGDump::EndLogging()
{
    m_pLogger->Finish();  // drains the port into the file, closes port and file
    m_bLogging = false;
    m_bPortOpen = false;
}

void CGDump::OnStop()
{
    EndLogging();
    m_pStart->setEnabled(true);
    m_pSettings->setEnabled(true);
    LockWhileLogging(false);
    // The echo may lag behind the file: list all of it.
    m_pList->clear();
    LoadFileIntoList(m_strRcvFilename);
    ShowFields();
}

void CGDump::OnPortLost(const QString& device)
{
    if (!m_bLogging)
        return;
    OnStop();
    ErrorBox(QString("Logging has stopped: the serial port %1 is no longer available.\n\n"
                     "Every byte received until then is in the receive file.")
                 .arg(device),
             "portLostBox");
}

void CGDump::OnSettings()
{
    CDlgMeterSetup setup(this);
    if (setup.exec() != QDialog::Accepted)
        return;
    m_bPortOpen = false;  // the next Start opens the port with the new settings
    ShowFields();
}

void CGDump::OnClearScreen()
{
    m_pList->clear();
    ShowFields();
}

void CGDump::OnEditFile()
{
    TakeFields();
    const QString path = !m_strRcvFilename.isEmpty() ? m_strRcvFilename : m_strAsciiFilename;
    if (path.isEmpty()) {
        QMessageBox box(QMessageBox::NoIcon, "GDump", "Error:  No File Specified.", QMessageBox::Ok, this);
        box.setObjectName("noFileBox");
        box.exec();
        m_pReload->setEnabled(false);
        return;
    }
    if (!m_openFile(path)) {
        // Nothing changes: there is no edited file to import.
        QMessageBox box(QMessageBox::Warning, "GDump",
                        QString("No text editor was found to open %1.\n"
                                "Install a text editor (for example gedit or mousepad) and try again.")
                            .arg(QDir::toNativeSeparators(path)),
                        QMessageBox::Ok, this);
        box.setObjectName("noEditorBox");
        box.exec();
        return;
    }
    if (!m_strRcvFilename.isEmpty()) {
        m_strAsciiFilename = m_strRcvFilename;
        m_strRcvFilename.clear();
    }
    // The edited file is an ASCII file now: switch the whole dialog to that
    // mode, so that OK imports it and Reload File lists the edited text.
    m_nAcquireType = kAsciiFile;
    SwitchMode(kAsciiFile);
    m_pReload->setEnabled(true);
    ShowFields();
}

void CGDump::OnReloadFile()
{
    TakeFields();
    m_pList->clear();
    LoadFileIntoList(m_strAsciiFilename);
    m_strRcvFilename.clear();
    ShowFields();
}

void CGDump::accept()
{
    if (m_bLoading)
        return;
    if (m_bLogging)
        EndLogging();  // OK imports the complete file
    TakeFields();
    QDialog::accept();
}

void CGDump::reject()
{
    if (m_bLogging)
        EndLogging();
    QDialog::reject();
}

}  // namespace bramble
