#include "project/Project.h"

#include <algorithm>
#include <filesystem>

#include "project/Sha256.h"
#include "session/ReductionSession.h"

namespace bramble {

ProjectSurvey::ProjectSurvey() : session(std::make_unique<ReductionSession>()) { }
ProjectSurvey::~ProjectSurvey() = default;

namespace {

std::string AbsolutePath(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

}  // namespace

Outcome NoteSurveyFile(ProjectSurvey& survey, const std::string& path, MeterKind meter,
                       const AliodHeaderTexts& header)
{
    survey.path = AbsolutePath(path);
    survey.meter = meter;
    survey.header = header;
    survey.sha256.clear();
    // A pipe or a device cannot be read twice, nor reopened with the project:
    // such a survey is kept without a hash, and saving it is refused.
    std::error_code error;
    if (!std::filesystem::is_regular_file(survey.path, error))
        return {};
    Result<std::string> hash = Sha256OfFile(survey.path);
    if (hash.Failed())
        return static_cast<const Outcome&>(hash);
    survey.sha256 = hash.Value();
    return {};
}

Result<std::unique_ptr<ProjectSurvey>> ReadProjectSurvey(const std::string& path, MeterKind meter,
                                                         const AliodHeaderTexts& header)
{
    const std::string fullPath = AbsolutePath(path);
    Result<ImportedSurvey> read = ReadSurveyFile(fullPath, meter, header);
    if (read.Failed())
        return static_cast<const Outcome&>(read);
    auto survey = std::make_unique<ProjectSurvey>();
    const Outcome noted = NoteSurveyFile(*survey, fullPath, meter, header);
    if (noted.Failed())
        return noted;
    Outcome messages = static_cast<const Outcome&>(read);
    survey->session->Adopt(std::move(read.Value()));
    return Result<std::unique_ptr<ProjectSurvey>>::Of(std::move(survey), std::move(messages));
}

Project::Project() = default;
Project::~Project() = default;

ReductionSession* Project::ActiveSession()
{
    return m_active < 0 ? nullptr : m_surveys[static_cast<std::size_t>(m_active)]->session.get();
}

Outcome Project::SetActive(int index)
{
    if (index < 0 || index >= SurveyCount())
        return Outcome::Error("the project has no survey " + std::to_string(index + 1));
    m_active = index;
    return {};
}

void Project::InsertSurvey(int index, std::unique_ptr<ProjectSurvey> survey)
{
    index = std::clamp(index, 0, SurveyCount());
    m_surveys.insert(m_surveys.begin() + index, std::move(survey));
    m_active = index;
}

std::unique_ptr<ProjectSurvey> Project::TakeSurvey(int index)
{
    if (index < 0 || index >= SurveyCount())
        return nullptr;
    std::unique_ptr<ProjectSurvey> taken = std::move(m_surveys[static_cast<std::size_t>(index)]);
    m_surveys.erase(m_surveys.begin() + index);
    if (m_active > index || (m_active == index && (m_active > 0 || m_surveys.empty())))
        --m_active;
    return taken;
}

std::unique_ptr<ProjectSurvey> Project::ReplaceSurvey(int index, std::unique_ptr<ProjectSurvey> survey)
{
    if (index < 0 || index >= SurveyCount())
        return nullptr;
    return std::exchange(m_surveys[static_cast<std::size_t>(index)], std::move(survey));
}

}  // namespace bramble
