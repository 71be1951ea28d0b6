#pragma once

#include <stdexcept>
#include <string>

namespace sorvel {

// An error told to the user as it stands: what() is a whole French sentence
// (UTF-8) and titre() the title of the message box that shows it. A file
// that cannot be written, a damaged study... Whoever runs a user command
// catches this one type and shows it, whatever layer raised it.
class ErreurSignalee : public std::runtime_error {
public:
    ErreurSignalee(std::string titre, const std::string& message)
        : std::runtime_error(message), titre_(std::move(titre)) {}
    const std::string& titre() const noexcept { return titre_; }

private:
    std::string titre_;
};

} // namespace sorvel
