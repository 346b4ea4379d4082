#pragma once

#include <limits>
#include <string>

#include "survey/CPolarMotion.h"
#include "survey/DateTime.h"
#include "survey/Headers.h"

namespace bramble {

// The fields both meter types share. Consumers that need a field of one
// meter only (E.T.C., standard deviation, levels) cast on the document's
// m_bAliod flag; everything the corrections and outputs share is here so
// that the CG-3 and Aliod paths run the same code.
class CReading {
public:
    virtual ~CReading() = default;
    virtual bool isAliod() const = 0;
    virtual const CHeaderRecord* header() const = 0;
    // 1-based position in the document's reading list ("Station Index").
    virtual int stationIndex() const = 0;

    std::string m_strStation;
    DateTime m_dtTime;
    double m_dGrav = 0.0;         // working gravity, mGal
    double m_dGravLessEtc = 0.0;  // load-time gravity less the meter's tide, mGal
    double m_dRawGrav = 0.0;      // gravity as read; never changed
    double m_dTemp = 0.0;
    int m_nRecord = 0;  // 1-based number within the header block
    // hPa; not a number until the pressure list is applied, so that no
    // pressure correction is made before.
    double m_dPressure = std::numeric_limits<double>::quiet_NaN();
    std::string m_strDriftName = "NONE";
    std::string m_strNote;
    CPolarMotion m_PolarMotion;
    double m_dTideCorr = 0.0;
    double m_dDriftCorr = 0.0;
    double m_dPolarCorr = 0.0;
    double m_dPressureCorr = 0.0;
    // The ocean tide loading at the reading's time from its station's BLQ
    // block, microGal; not a number while no block is given to it, so that
    // no ocean-loading correction is made before.
    double m_dOceanLoad = std::numeric_limits<double>::quiet_NaN();
    double m_dOceanLoadCorr = 0.0;  // mGal, as the ocean-loading step applied it
};

// One reading line of a CG-3 dump.
class CScintrexStation final : public CReading {
public:
    bool isAliod() const override { return false; }
    const CHeaderRecord* header() const override { return m_pHeader; }
    int stationIndex() const override { return m_nStationIndex; }

    CScintrexHeader* m_pHeader = nullptr;  // not owned
    int m_nStationIndex = 0;
    double m_dStdDev = 0.0;
    int m_nTiltX = 0;
    int m_nTiltY = 0;
    double m_dEtc = 0.0;      // the meter's own earth-tide correction
    double m_dEtcRead = 0.0;  // m_dEtc as read
    int m_nDur = 0;
    int m_nRejected = 0;
};

// One reading line of an Aliod file.
class CAliodStation final : public CReading {
public:
    bool isAliod() const override { return true; }
    const CHeaderRecord* header() const override { return m_pHeader; }
    int stationIndex() const override { return m_nRecord; }

    CAliodHeader* m_pHeader = nullptr;  // not owned
    int m_nLongLevel = 0;               // shown as "Tilt Y"
    int m_nCrossLevel = 0;              // shown as "Tilt X"
    double m_dAliodField7 = 0.0;
    double m_dAliodField8 = 0.0;
};

}  // namespace bramble
