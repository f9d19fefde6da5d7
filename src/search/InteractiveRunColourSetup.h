#pragma once
// The seam through which the colouring set-up mode drives the interactive replace run over its
// sample text: instead of replacing, the "replace" answer gives the viewer's selection the
// attributes named in the replace field, and the preview shows group 1 of each match in those
// attributes. The run itself knows only these two actions; the colouring code implements them.
// Exercised in tests/search/InteractiveRunColourSetupTest.cpp.

namespace morvane::search {

class InteractiveRunColourSetup {
public:
    virtual ~InteractiveRunColourSetup() = default;
    // The preview memo already holds group 1 of the match: give it the colour, style and size
    // named in the replace field.
    virtual void PreviewAttributes() = 0;
    // The "replace" answer: give the viewer's selection those attributes. Never changes the
    // text or the viewer's modified flag.
    virtual void ApplyAttributes() = 0;
};

} // namespace morvane::search
