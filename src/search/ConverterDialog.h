#pragma once
// The converter's dialog (TFormSetModeConverter) as the command sees it: the information label,
// the two code page lists, OK or Cancel. The desktop program binds it to the dialog; tests use
// tests/fakes/FakeUserConverterDialog.h. Exercised by tests/search/ConverterTest.cpp.

#include <string>

namespace morvane::search {

class ConverterDialog {
public:
    virtual ~ConverterDialog() = default;
    // The label LabelInfo (program text).
    virtual void setInfo(const std::string& text) = 0;
    // Shows the dialog modally; true for OK.
    virtual bool exec() = 0;
    // cbFromCodePage by stored value: 0 Windows-1251, 1 KOI8-R, 2 DOS-866, 3 "AutoDetect",
    // 4 UTF-8.
    virtual int fromIndex() const = 0;
    // cbToCodePage: 0 Windows-1251, 1 KOI8-R, 2 DOS-866, 3 UTF-8.
    virtual int toIndex() const = 0;
};

} // namespace morvane::search
