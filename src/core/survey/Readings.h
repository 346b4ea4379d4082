#pragma once

#include <limits>
#include <optional>
#include <string>

#include "survey/CPolarMotion.h"
#include "survey/DateTime.h"
#include "survey/Headers.h"

namespace bramble {

// A reading's own meter values as the station list, the plots and the
// summaries show them: empty where the meter gives none. An Aliod reading
// has no standard deviation, E.T.C., duration or rejection count and shows
// 0 for them, as it always has; the CG-5, CG-6 and Burris leave what they
// lack empty.
struct MeterValues {
    std::optional<double> stdDev;
    std::optional<double> tiltX;  // arc-seconds (Aliod: the levels)
    std::optional<double> tiltY;
    int tiltDecimals = 0;  // whole arc-seconds on the CG-3 and Aliod
    std::optional<double> temperature;
    std::optional<double> etcRead;   // the meter's tide correction in the gravity read
    std::optional<double> etc;       // the same as the tide option left it
    std::optional<double> duration;  // s
    std::optional<int> rejected;
};

// The fields every meter type shares. What differs between the meters is
// reached through Values(), so that the corrections and outputs run the
// same code for every meter.
class CReading {
public:
    virtual ~CReading() = default;
    virtual bool isAliod() const = 0;
    virtual const CHeaderRecord* header() const = 0;
    // 1-based position in the document's reading list ("Station Index").
    virtual int stationIndex() const = 0;
    virtual MeterValues Values() const = 0;
    // The meter's own tide correction as read, where its gravity holds one
    // (CG-3 E.T.C., CG-5 with its tide on, CG-6 TideCorr, Burris tide).
    virtual std::optional<double> MeterTideRead() const = 0;
    // The working E.T.C. as the tide option leaves it (the value read, or
    // 0); a reading without the meter's tide keeps none.
    virtual void SetWorkingEtc(double etc) = 0;

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
    MeterValues Values() const override
    {
        return {m_dStdDev, m_nTiltX, m_nTiltY, 0, m_dTemp, m_dEtcRead, m_dEtc, m_nDur, m_nRejected};
    }
    std::optional<double> MeterTideRead() const override { return m_dEtcRead; }
    void SetWorkingEtc(double etc) override { m_dEtc = etc; }

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
    MeterValues Values() const override { return {0.0, m_nCrossLevel, m_nLongLevel, 0, m_dTemp, 0.0, 0.0, 0.0, 0}; }
    std::optional<double> MeterTideRead() const override { return std::nullopt; }
    void SetWorkingEtc(double) override { }

    CAliodHeader* m_pHeader = nullptr;  // not owned
    int m_nLongLevel = 0;               // shown as "Tilt Y"
    int m_nCrossLevel = 0;              // shown as "Tilt X"
    double m_dAliodField7 = 0.0;
    double m_dAliodField8 = 0.0;
};

// One reading of a CG-5, CG-6 or Burris file. The gravity read is the
// meter's, with the corrections the meter applied; m_dGravLessEtc takes
// out the meter's tide only where the gravity holds it (m_dEtcRead set).
class CMeterStation final : public CReading {
public:
    bool isAliod() const override { return false; }
    const CHeaderRecord* header() const override { return m_pHeader; }
    int stationIndex() const override { return m_nStationIndex; }
    MeterValues Values() const override
    {
        const int decimals = m_pHeader ? m_pHeader->m_nTiltDecimals : 1;
        return {m_dStdDev, m_dTiltX, m_dTiltY, decimals, m_dTempRead, m_dEtcRead, m_dEtc, m_dDur, m_nRejected};
    }
    std::optional<double> MeterTideRead() const override { return m_dEtcRead; }
    void SetWorkingEtc(double etc) override
    {
        if (m_dEtcRead)
            m_dEtc = etc;
    }

    CMeterHeader* m_pHeader = nullptr;  // the loop; not owned
    int m_nStationIndex = 0;
    int m_nLine = 0;  // 1-based line of the file
    std::optional<double> m_dStdDev;
    std::optional<double> m_dTiltX;
    std::optional<double> m_dTiltY;
    std::optional<double> m_dTempRead;  // m_dTemp holds it, or 0 when the meter gives none
    std::optional<double> m_dEtcRead;
    std::optional<double> m_dEtc;
    std::optional<double> m_dDur;
    std::optional<int> m_nRejected;
    // Where the reading was taken (its own position, or its header's),
    // degrees north and EAST; empty when the file gives none.
    std::optional<double> m_dLatitude;
    std::optional<double> m_dEastLongitude;
    std::optional<double> m_dElevation;  // m
    bool m_bMarkedRejected = false;      // the file marks the whole reading as not to be used
};

}  // namespace bramble
