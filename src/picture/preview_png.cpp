// The preview picture as a PNG file, drawn with QtGui. The command line has no application of its
// own: one is made for the drawing, on the "offscreen" platform, so no display is needed.
#include "picture/preview_png.h"

#include "lib/atomic_file.h"
#include "picture/preview_picture.h"

#include <cstdio>
#include <memory>

#include <QBuffer>
#include <QGuiApplication>

namespace tes {

namespace {

// The application the drawing needs (its fonts), made only when the process has none.
class DrawingApplication {
public:
    DrawingApplication() {
        if (QCoreApplication::instance())
            return;
        // Qt's remarks about the platform it was given concern no user of the command line.
        m_previousHandler =
            qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
                if (type == QtCriticalMsg || type == QtFatalMsg)
                    std::fprintf(stderr, "%s\n", qPrintable(text));
            });
#ifdef Q_OS_WIN
        // There the offscreen platform reads its fonts from one folder, by default one beside Qt's
        // DLLs that nobody installs: the system's fonts are the ones to draw with.
        if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR"))
            qputenv("QT_QPA_FONTDIR", qgetenv("WINDIR") + "\\Fonts");
#endif
        m_app = std::make_unique<QGuiApplication>(m_argc, m_argv);
    }
    ~DrawingApplication() {
        if (!m_app)
            return;
        m_app.reset();
        qInstallMessageHandler(m_previousHandler);
    }
    DrawingApplication(const DrawingApplication&) = delete;
    DrawingApplication& operator=(const DrawingApplication&) = delete;

private:
    char m_name[14] = "enviro-script";
    char m_platformOption[10] = "-platform";
    char m_platform[10] = "offscreen";
    char* m_argv[4] = {m_name, m_platformOption, m_platform, nullptr};
    int m_argc = 3;
    std::unique_ptr<QGuiApplication> m_app;
    QtMessageHandler m_previousHandler = nullptr;
};

} // namespace

bool CanDrawPreviewPictures() {
    return true;
}

std::optional<Message> SavePicturePng(const QImage& picture, const std::string& path) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG"))
        return Message{MessageKind::Failure, "Cannot draw the picture " + path};
    try {
        AtomicTextWriter file(path);
        file.writeEncoded(std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
        file.commit();
    } catch (const Failure& failure) {
        return Message{MessageKind::Failure, "Cannot write the picture " + path + ": " + failure.reason()};
    }
    return std::nullopt;
}

std::optional<Message> WritePreviewPicture(const PreviewScene& scene, const PreviewPictureRequest& request) {
    DrawingApplication app;
    const PreviewView view =
        FitView(scene, request.width, request.height, OverlayInsets(scene, request.width));
    return SavePicturePng(PaintPreviewPicture(scene, request.views, view, request.shown), request.path);
}

} // namespace tes
