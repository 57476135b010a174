#include "render/ElementRegistry.h"

#include <new>
#include <optional>
#include <utility>

namespace velunor {

ElementRegistry::~ElementRegistry() {
    DeleteAllElements();
}

ImageElement* ElementRegistry::AddElement(ElementParams params) {
    if (params.canvas == nullptr || params.drawer == nullptr) {
        return nullptr;
    }
    try {
        auto element = std::make_shared<ImageElement>(std::move(params));
        ImageElement* address = element.get();
        m_elements.Insert(address, std::move(element));
        return address;
    } catch (const std::bad_alloc&) {
        return nullptr;  // the element, if it was made, went with its last owner
    }
}

void ElementRegistry::DrawElements() {
    m_elements.ForEachValue([this](const std::shared_ptr<ImageElement>& element) {
        if (element->DrawFrame()) {
            RemoveElement(element.get());
        }
    });
}

void ElementRegistry::RemoveElement(ImageElement* element) {
    std::optional<std::shared_ptr<ImageElement>> taken = m_elements.Take(element);
    // Destroyed here, with no lock held, unless a pass elsewhere still holds it.
    taken.reset();
}

void ElementRegistry::DeleteAllElements() {
    LockedList<std::shared_ptr<ImageElement>> all;
    m_elements.MoveValuesTo(all);
    all.Drain([](std::shared_ptr<ImageElement> element) { element.reset(); });
}

}  // namespace velunor
