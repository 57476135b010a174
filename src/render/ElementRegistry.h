#pragma once

#include <memory>

#include "render/ElementParams.h"
#include "render/ImageElement.h"
#include "render/LockedMap.h"

namespace velunor {

// The moving, animated things of the break screen. The registry owns every element from
// AddElement until it finishes or the registry goes, and draws each once per pass in the order of
// their addresses. Any thread may add or remove elements; drawing passes belong to one thread.
class ElementRegistry {
public:
    ElementRegistry() = default;
    virtual ~ElementRegistry();
    ElementRegistry(const ElementRegistry&) = delete;
    ElementRegistry& operator=(const ElementRegistry&) = delete;

    // The new element, for reference only (the registry deletes it); null, and nothing
    // registered, when it cannot be made: no canvas or drawer to draw with, or no memory.
    ImageElement* AddElement(ElementParams params);

    // Draws and steps every element registered when the pass starts; one that finishes is
    // destroyed right after its last drawing, before the next element draws.
    void DrawElements();

    // Unregisters and destroys the element; nothing when it is not registered. An element still
    // held by a pass on another thread lives until that pass is done with it.
    void RemoveElement(ImageElement* element);

private:
    void DeleteAllElements();

    // Each element keyed by its own address, so the map behaves as an ordered set of elements.
    LockedMap<const ImageElement*, std::shared_ptr<ImageElement>> m_elements;
};

}  // namespace velunor
