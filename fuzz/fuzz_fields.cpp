// GetElement and the path helpers on arbitrary text: elements are pieces of the source, and joining
// the elements with the delimiter gives the source back.
#include "fuzz_support.h"
#include "lib/fields.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text = tes::fuzz::AsText(data, size);
    if (text.empty())
        return 0;
    // The first byte chooses the delimiter's length (1 to 3), the next bytes are the delimiter.
    const std::size_t delimiterLength = 1 + static_cast<unsigned char>(text[0]) % 3;
    if (text.size() < 1 + delimiterLength)
        return 0;
    const std::string_view delimiter = text.substr(1, delimiterLength);
    const std::string_view source = text.substr(1 + delimiterLength);

    std::string joined;
    for (long long index = 0;; ++index) {
        const std::string_view element = tes::GetElement(source, delimiter, index);
        if (!element.empty() && (element.data() < source.data() ||
                                 element.data() + element.size() > source.data() + source.size()))
            tes::fuzz::Fail("an element views into its source");
        if (index > 0)
            joined.append(delimiter);
        joined.append(element);
        if (joined.size() >= source.size())
            break;
        if (index > static_cast<long long>(source.size()))
            tes::fuzz::Fail("elements run out");
    }
    if (joined != source)
        tes::fuzz::Fail("the elements joined give the source back");
    if (!tes::GetElement(source, delimiter, -1).empty())
        tes::fuzz::Fail("a negative index is empty");

    const std::string fileName = tes::GetFileNameFromPath(source);
    if (fileName.size() > source.size())
        tes::fuzz::Fail("a file name is part of its path");
    const std::string baseName = tes::GetBaseFileName(source);
    if (baseName.size() > source.size())
        tes::fuzz::Fail("a base name is part of its path");
    (void)tes::FolderOfPath(source);
    (void)tes::UpperCase(source);
    return 0;
}
