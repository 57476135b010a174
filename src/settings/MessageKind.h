#pragma once

namespace velunor {

// What a message box reports: a failure (nothing or not everything was done) shows a warning
// icon, anything else an information icon.
enum class MessageKind { Information, Failure };

}  // namespace velunor
