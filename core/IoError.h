// The one exception the data store throws: an input/output failure on a named data file.
#pragma once

#include <stdexcept>
#include <string>

namespace taviro {

class IoError : public std::runtime_error
{
public:
    IoError(std::string relativeName, std::string systemText)
        : std::runtime_error("Błąd wejścia/wyjścia pliku " + relativeName + ": " + systemText),
          m_relativeName(std::move(relativeName)), m_systemText(std::move(systemText))
    {}
    // The same failure told in a message of its own (what() gives the message).
    IoError(std::string relativeName, std::string systemText, const std::string& message)
        : std::runtime_error(message), m_relativeName(std::move(relativeName)), m_systemText(std::move(systemText))
    {}

    // The file's name relative to the data directory, as the user knows it (Cell.dat, Temp/…).
    const std::string& relativeName() const { return m_relativeName; }
    const std::string& systemText() const { return m_systemText; }

private:
    std::string m_relativeName;
    std::string m_systemText;
};

} // namespace taviro
