#include "publish/AviCreation.h"

#include "core/Helpers.h"
#include "platform/Jpeg.h"
#include "platform/Rounding.h"

#include <QFileInfo>
#include <QImage>

namespace {

QString Counted(int count, const QString& one, const QString& many) {
    return QString::number(count) + QLatin1Char(' ') + (count == 1 ? one : many);
}

} // namespace

QString AviCreationResult::Status() const {
    QStringList notes;
    if (OtherSize > 0)
        notes << Counted(OtherSize, QStringLiteral("picture of another size was left out"),
                         QStringLiteral("pictures of another size were left out"));
    if (Unreadable > 0)
        notes << Counted(Unreadable, QStringLiteral("picture could not be read"),
                         QStringLiteral("pictures could not be read"));
    QString text = Succeeded() ? QStringLiteral("Loaded File:") + TrimText(Target)
                               : QStringLiteral("Error during Write AVI File");
    if (!notes.isEmpty())
        text += QStringLiteral("  ") + notes.join(QStringLiteral(", "));
    return text;
}

QString AviCreationResult::Message() const {
    switch (Result) {
    case Outcome::Written:
        return {};
    case Outcome::LimitReached:
        return QStringLiteral("The AVI file reached its 2 GB limit: %1 of %2 pictures were written.")
            .arg(Written)
            .arg(Chosen);
    case Outcome::Failed:
        break;
    }
    return QStringLiteral("Error during Write AVI File");
}

AviCreation::AviCreation(QObject* parent) : QObject(parent) {
    qRegisterMetaType<AviCreationResult>();
}

AviCreation::~AviCreation() {
    stop_ = true;
    Join();
}

void AviCreation::Join() {
    if (worker_.joinable())
        worker_.join();
}

int AviCreation::Percent(int index, int count) {
    if (count <= 1)
        return 100;
    return int(platform::RoundHalfEven(double(index) / double(count - 1) * 100.0));
}

QString AviCreation::PreparingText(int percent) {
    return QStringLiteral("Preparing JPEGS please wait... %1% ").arg(percent);
}

QString AviCreation::MakingText(int percent) {
    return QStringLiteral("Making AVI file please wait... %1% ").arg(percent);
}

QString AviCreation::FinalText(int percent) {
    return QStringLiteral("Final stage please wait...  %1%          ").arg(percent);
}

bool AviCreation::Start(const AviCreationRequest& request) {
    if (running_)
        return false;
    Join();
    running_ = true;
    stop_ = false;
    lastPosted_.clear();
    worker_ = std::thread([this, request] { Run(request); });
    return true;
}

// Worker thread: only posts, never touches the GUI's objects.
void AviCreation::Post(const QString& text, int percent) {
    if (text == lastPosted_)
        return;
    lastPosted_ = text;
    QMetaObject::invokeMethod(
        this,
        [this, text, percent] {
            emit StatusChanged(text);
            emit ProgressChanged(percent);
        },
        Qt::QueuedConnection);
}

void AviCreation::Run(AviCreationRequest request) {
    AviCreationResult result;
    result.Target = request.Target;
    result.Chosen = int(request.Pictures.size());

    // Preparing: the pictures that are still there.
    QStringList present;
    const int chosen = result.Chosen;
    for (int i = 0; i < chosen && !stop_; ++i) {
        Post(PreparingText(Percent(i, chosen)), Percent(i, chosen));
        if (QFileInfo(request.Pictures[i]).isFile())
            present << request.Pictures[i];
        else
            ++result.Gone;
    }

    // Making: every frame has the size of the first picture that decodes.
    platform::AviWriter writer;
    writer.SetSizeLimit(request.SizeLimit);
    bool failed = false;
    bool full = false;
    const int count = int(present.size());
    for (int k = 0; k < count && !stop_ && !failed && !full; ++k) {
        Post(MakingText(Percent(k, count)), Percent(k, count));
        QImage picture;
        if (!platform::LoadJpeg(present[k], &picture)) {
            if (QFileInfo(present[k]).isFile())
                ++result.Unreadable;
            else
                ++result.Gone;
            continue;
        }
        if (!writer.IsOpen() &&
            !writer.Open(request.Target, picture.width(), picture.height(), request.Codec,
                         request.Quality, request.FramesPerSecond, &result.Error)) {
            failed = true;
            break;
        }
        switch (writer.AddFrame(picture, &result.Error)) {
        case platform::AviWriter::AddResult::Written:
            ++result.Written;
            break;
        case platform::AviWriter::AddResult::WrongSize:
            ++result.OtherSize;
            break;
        case platform::AviWriter::AddResult::LimitReached:
            full = true;
            break;
        case platform::AviWriter::AddResult::Failed:
            failed = true;
            break;
        }
    }

    if (stop_) {
        writer.Abandon();
        return; // the owner is going: nothing to report
    }
    Post(FinalText(0), 0);
    if (!failed && result.Written == 0) {
        failed = true;
        if (result.Error.isEmpty())
            result.Error = QStringLiteral("no picture could be used");
    }
    if (!failed && !writer.Finish(&result.Error))
        failed = true;
    if (failed) {
        writer.Abandon();
        result.Written = 0;
        result.Result = AviCreationResult::Outcome::Failed;
    } else {
        result.Result = full ? AviCreationResult::Outcome::LimitReached
                             : AviCreationResult::Outcome::Written;
        Post(FinalText(100), 100);
    }
    QMetaObject::invokeMethod(
        this,
        [this, result] {
            Join();
            running_ = false;
            emit Finished(result);
        },
        Qt::QueuedConnection);
}
