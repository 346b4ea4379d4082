#include "survey/CKelpDoc.h"

#include <algorithm>

namespace bramble {

void CKelpDoc::AddDriftCorrection(const DateTime& start, double rate)
{
    auto drift = std::make_unique<CDriftCorrection>();
    drift->m_dtStart = DateTime(start.value());
    drift->m_dCoeff = {rate, 0.0, 0.0, 0.0, 0.0, 0.0};
    m_pCurDrift = drift.get();
    m_DriftCorrections.push_back(std::move(drift));
}

void CKelpDoc::AddView(IDocumentObserver* view)
{
    if (view && std::find(m_Views.begin(), m_Views.end(), view) == m_Views.end())
        m_Views.push_back(view);
}

void CKelpDoc::RemoveView(IDocumentObserver* view)
{
    m_Views.erase(std::remove(m_Views.begin(), m_Views.end(), view), m_Views.end());
}

void CKelpDoc::UpdateAllViews(int hint)
{
    // Copy: a view may add or remove views while it refreshes.
    const auto views = m_Views;
    for (IDocumentObserver* view : views)
        view->OnUpdate(hint);
}

void CKelpDoc::ShowMessage(const std::string& text) const
{
    if (m_pMessages)
        m_pMessages->ShowMessage(text);
}

void CKelpDoc::SetChartSettingsFolder(const std::string& folder)
{
    std::string base = folder;
    if (!base.empty() && base.back() != '/')
        base += '/';
    m_strGraphFile = base + "Graphx/graph.pg";
    m_strGraphFile2 = base + "Graphx/graph2.pg";
}

void CKelpDoc::ClearSurvey()
{
    m_nRecords = 0;
    // Pointers into the old survey must not outlive it.
    m_pCurHeader = nullptr;
    m_pCurStation = nullptr;
    m_pCurAliodHeader = nullptr;
    m_pCurAliodStation = nullptr;
    m_Readings.clear();
    m_Headers.clear();
}

}  // namespace bramble
