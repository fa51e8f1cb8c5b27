#ifndef CORVALD_CONSOLE_STREAMBUF_H
#define CORVALD_CONSOLE_STREAMBUF_H

#include <ostream>
#include <streambuf>

namespace console {

// An unbuffered stream buffer that hands every character written to it straight to the
// current console's write_text, so text lands at the cell where the cursor stands when it
// is written, before the cursor moves again or the cells are recoloured.
class StreamBuf : public std::streambuf {
protected:
    int_type overflow(int_type ch) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
};

// Routes `stream` (std::cout by default) into the current console for its lifetime and
// restores the stream's own buffer afterwards.
class StreamRedirect {
public:
    explicit StreamRedirect(std::ostream& stream);
    ~StreamRedirect();
    StreamRedirect(const StreamRedirect&) = delete;
    StreamRedirect& operator=(const StreamRedirect&) = delete;

private:
    std::ostream& stream_;
    StreamBuf buffer_;
    std::streambuf* previous_;
};

} // namespace console

#endif
