#pragma once

#include <string>

#include "survey/DateTime.h"

namespace bramble {

// Common base of the header records, so that the document can hold every
// kind in one list (an Aliod file may contain CG-3 header blocks).
class CHeaderRecord {
public:
    virtual ~CHeaderRecord() = default;
    virtual bool isAliod() const = 0;

    int m_nIndex = 0;     // 1-based number of the header in the document
    int m_nStations = 0;  // readings read so far under this header
};

// One "SCINTREX" header block of a CG-3 dump.
class CScintrexHeader final : public CHeaderRecord {
public:
    bool isAliod() const override { return false; }

    int m_nCycleTime = 0;
    int m_nSerNo = 0;
    int m_nLine = 0;
    int m_nGrid = 0;
    int m_nJob = 0;
    DateTime m_dtDate;  // survey date, midnight
    std::string m_strOperator;
    int m_nGref = 0;
    double m_dGcal1 = 0.0;
    double m_dGcal2 = 0.0;
    double m_dTempco = 0.0;
    double m_dDriftConst = 0.0;
    DateTime m_dtDriftStart;  // date of the meter's drift correction start, midnight
    double m_dTiltXSens = 0.0;
    double m_dTiltYSens = 0.0;
    double m_dLatitude = 0.0;   // degrees
    double m_dLongitude = 0.0;  // degrees, as the meter writes it
    int m_nGmtDiff = 0;         // hours
    int m_nCalAfter = 0;
    std::string m_strTiltCorrected;
};

// The single header of an Aliod file; its values are typed by the operator.
class CAliodHeader final : public CHeaderRecord {
public:
    CAliodHeader() { m_nIndex = 1; }
    bool isAliod() const override { return true; }

    double m_dSerialNumber = 0.0;
    double m_dLatitude = 0.0;   // degrees
    double m_dLongitude = 0.0;  // degrees, east positive
    double m_dOperTemp = 0.0;
    std::string m_strOperator;
};

// One loop of a CG-5, CG-6 or Burris survey: the readings the file puts on
// one line (CG-5 LINE, CG-6 Line) or, for the Burris, of one day. Numbered
// in the order the file first names them. The position lives on each
// reading, as these files give it per reading or copy the header's.
class CMeterHeader final : public CHeaderRecord {
public:
    bool isAliod() const override { return false; }

    std::string m_strLoop;  // the loop's name as the file gives it
    std::string m_strInstrument;
    std::string m_strOperator;
    int m_nTiltDecimals = 1;  // how the station list shows this meter's tilts
};

}  // namespace bramble
