#include "publish/AviPanelLogic.h"

#include "core/Helpers.h"
#include "core/MessageBox.h"
#include "platform/ProgramFolder.h"

#include <QFileInfo>

#include <algorithm>

namespace {

QString DropTrailingBlanks(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) <= QLatin1Char(' '))
        --end;
    return text.left(end);
}

bool IsFile(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

} // namespace

AviPanelLogic::AviPanelLogic(AviPanelHooks hooks, QObject* parent)
    : QObject(parent), hooks_(std::move(hooks)) {
    connect(&creation_, &AviCreation::StatusChanged, this, &AviPanelLogic::SetStatus);
    connect(&creation_, &AviCreation::ProgressChanged, this, [this](int percent) {
        progress_ = percent;
        emit ProgressChanged(percent);
    });
    connect(&creation_, &AviCreation::Finished, this, &AviPanelLogic::OnFinished);
}

QString AviPanelLogic::SaveNameWithExtension(const QString& name) {
    return name.toLower().endsWith(QStringLiteral(".avi")) ? name : name + QStringLiteral(".avi");
}

QString AviPanelLogic::OpenNameWithExtension(const QString& name) {
    return name.contains(QStringLiteral(".avi")) ? name : name + QStringLiteral(".avi");
}

void AviPanelLogic::SetStatus(const QString& text) {
    status_ = text;
    emit StatusChanged(text);
}

void AviPanelLogic::SetProgressVisible(bool visible) {
    progressVisible_ = visible;
    emit ProgressVisibleChanged(visible);
}

void AviPanelLogic::SetPanelVisible(bool visible) {
    panelVisible_ = visible;
    emit PanelVisibleChanged(visible);
}

void AviPanelLogic::OpenAviPanel() {
    if (hooks_.HideSettingsPanel)
        hooks_.HideSettingsPanel();
    SetPanelVisible(true);
    if (IsCreating())
        return; // the status shows the creation's progress
    SetStatus(IsFile(currentAvi_) ? QStringLiteral("Loaded File:") + TrimText(currentAvi_)
                                  : QStringLiteral("New AVI"));
}

void AviPanelLogic::CreateAviFromMenu() {
    if (hooks_.AviReady && !hooks_.AviReady()) {
        ShowMessageBox(
            QStringLiteral("You changed image size in settings. Purge and start again to make an AVI."));
        return;
    }
    OpenAviPanel();
    CreateAviFromPictures();
}

void AviPanelLogic::CreateAviFromPictures() {
    if (IsCreating() || !hooks_.Rows)
        return;
    const QStringList rows = hooks_.Rows();
    if (rows.size() < 2)
        return;
    QList<int> selected = hooks_.SelectedRows ? hooks_.SelectedRows() : QList<int>();
    selected.erase(std::remove_if(selected.begin(), selected.end(),
                                  [&rows](int row) { return row < 0 || row >= rows.size(); }),
                   selected.end());
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    if (selected.size() < 2 &&
        !(hooks_.AskYesNo &&
          hooks_.AskYesNo(
              QStringLiteral("Do you really want to create an AVI file from all the captured images?"))))
        return;

    const QString chosen = hooks_.AskSaveFileName ? hooks_.AskSaveFileName() : QString();
    if (TrimText(chosen).isEmpty())
        return;
    AviCreationRequest request;
    request.Target = SaveNameWithExtension(chosen);
    request.SizeLimit = sizeLimit_;
    if (hooks_.UseCompression && hooks_.UseCompression()) {
        const std::optional<AviCompressionChoice> choice =
            hooks_.AskCompression ? hooks_.AskCompression() : std::nullopt;
        if (!choice) {
            SetStatus(QStringLiteral("New AVI"));
            return;
        }
        request.Codec = choice->Codec;
        request.Quality = choice->Quality;
    }

    const QString folder = hooks_.Folder ? hooks_.Folder() : QString();
    if (selected.size() >= 2)
        for (int row : selected)
            request.Pictures << platform::JoinPath(folder, DropTrailingBlanks(rows.at(row)));
    else
        for (const QString& row : rows)
            request.Pictures << platform::JoinPath(folder, DropTrailingBlanks(row));

    SetPanelVisible(true);
    SetStatus(QStringLiteral("Preparing JPEGS please wait..."));
    progress_ = 0;
    emit ProgressChanged(0);
    SetProgressVisible(true);
    creation_.Start(request);
}

void AviPanelLogic::OnFinished(const AviCreationResult& result) {
    SetProgressVisible(false);
    SetStatus(result.Status());
    if (result.Succeeded())
        currentAvi_ = result.Target;
    const QString message = result.Message();
    if (!message.isEmpty())
        ShowMessageBox(message);
    if (!result.Succeeded())
        SetPanelVisible(false);
    emit CreationFinished(result);
}

void AviPanelLogic::OpenClicked() {
    const QString chosen = hooks_.AskOpenFileName ? hooks_.AskOpenFileName() : QString();
    if (chosen.isEmpty())
        return;
    currentAvi_ = OpenNameWithExtension(chosen);
    if (!IsFile(currentAvi_))
        return;
    SetStatus(QStringLiteral("Loaded File:") + TrimText(currentAvi_));
    if (hooks_.PlayFile)
        hooks_.PlayFile(currentAvi_);
}

void AviPanelLogic::PlayClicked() {
    if (IsFile(currentAvi_) && hooks_.PlayFile)
        hooks_.PlayFile(currentAvi_);
}

void AviPanelLogic::CloseClicked() {
    SetPanelVisible(false);
    if (hooks_.FocusList)
        hooks_.FocusList();
}
