#pragma once

#include <memory>
#include <string>
#include <vector>

#include "drift/CDriftCorrection.h"
#include "output/CFinalData.h"
#include "survey/AliodHeaderTexts.h"
#include "survey/DocumentObserver.h"
#include "survey/Headers.h"
#include "survey/MeterKinds.h"
#include "survey/Readings.h"
#include "survey/ReadReport.h"

namespace bramble {

// The document: one imported survey. It owns every header, reading, drift
// correction and final-output row; all other pointers to them are
// non-owning. Loading replaces the readings and headers; the drift
// corrections and the final table survive a load.
class CKelpDoc {
public:
    static constexpr double kVersion = 2.0502;

    CKelpDoc() = default;
    CKelpDoc(const CKelpDoc&) = delete;
    CKelpDoc& operator=(const CKelpDoc&) = delete;

    // Readers: each replaces the readings and headers and refreshes all
    // views with hint 0 (CG-3) or 1 (Aliod). A file that cannot be opened
    // gives the error "File not valid" and leaves the document empty. A line that is not a
    // reading (cut short, a field that is not a finite number, an
    // impossible time) is left out, and so are the readings of a CG-3 block
    // without a valid date or position; the report names them, and the CG-3
    // readings without an E.T.C. value (warnings). A file that is not text,
    // has a line beyond LineReader::kMaxLineLength, or meets a read error is
    // refused whole (no readings), and so is an Aliod read whose typed header
    // holds a value that is no number or no coordinate: an error says why.
    ReadReport ReadScintrexFile(const std::string& path);
    ReadReport ReadAliodFile(const std::string& path);

    void AddDriftCorrection(const DateTime& start, double rate);

    // Views and the operator's message box.
    void AddView(IDocumentObserver* view);
    void RemoveView(IDocumentObserver* view);
    void UpdateAllViews(int hint);
    void SetMessageSink(IMessageSink* sink) { m_pMessages = sink; }
    void ShowMessage(const std::string& text) const;

    // Window title of the document (the import sets it to the file's name).
    void SetTitle(const std::string& title) { m_strTitle = title; }
    const std::string& GetTitle() const { return m_strTitle; }

    // The two chart settings files live in folder/Graphx/.
    void SetChartSettingsFolder(const std::string& folder);

    // Empties the readings and headers of the previous survey.
    void ClearSurvey();

    std::vector<std::unique_ptr<CReading>> m_Readings;
    std::vector<std::unique_ptr<CHeaderRecord>> m_Headers;
    std::vector<std::unique_ptr<CDriftCorrection>> m_DriftCorrections;
    std::vector<std::unique_ptr<CFinalData>> m_FinalData;

    CScintrexHeader* m_pCurHeader = nullptr;
    CScintrexStation* m_pCurStation = nullptr;
    CAliodHeader* m_pCurAliodHeader = nullptr;
    CAliodStation* m_pCurAliodStation = nullptr;
    CDriftCorrection* m_pCurDrift = nullptr;
    CFinalData* m_pCurFinal = nullptr;

    // The Aliod header values as the operator typed them; the Aliod reader
    // builds the file's header from them. Empty until the first Aliod import.
    AliodHeaderTexts m_AliodHeader;

    std::string m_strGraphFile;
    std::string m_strGraphFile2;
    double m_dVersion = kVersion;
    bool m_bSubtractMean = true;
    bool m_bAliod = false;
    // The meter of the loaded survey. m_bAliod says Aliod or not; SetMeter
    // sets both, and Meter() follows m_bAliod where it was set alone.
    void SetMeter(MeterKind meter)
    {
        m_Meter = meter;
        m_bAliod = meter == MeterKind::aliod;
    }
    MeterKind Meter() const
    {
        if (m_bAliod)
            return MeterKind::aliod;
        return m_Meter == MeterKind::aliod ? MeterKind::cg3 : m_Meter;
    }
    int m_nRecords = 0;
    std::string m_strFilePath;
    bool m_bInstrument = false;  // last import came from the serial logger
    bool m_bAsciiFile = false;   // last import came from an existing file

private:
    MeterKind m_Meter = MeterKind::cg3;
    std::vector<IDocumentObserver*> m_Views;
    IMessageSink* m_pMessages = nullptr;
    std::string m_strTitle;
};

}  // namespace bramble
