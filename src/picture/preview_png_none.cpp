// The stand-in for builds without Qt: it draws nothing.
#include "picture/preview_png.h"

namespace tes {

bool CanDrawPreviewPictures() {
    return false;
}

std::optional<Message> WritePreviewPicture(const PreviewScene&, const PreviewPictureRequest&) {
    return Message{MessageKind::Failure, "This build cannot draw pictures"};
}

} // namespace tes
