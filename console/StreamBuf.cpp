#include "console/StreamBuf.h"

#include "console/Console.h"

namespace console {

StreamBuf::int_type StreamBuf::overflow(int_type ch)
{
    if (traits_type::eq_int_type(ch, traits_type::eof()))
        return traits_type::not_eof(ch);
    const char c = traits_type::to_char_type(ch);
    Console::current().write_text(&c, 1);
    return ch;
}

std::streamsize StreamBuf::xsputn(const char* text, std::streamsize count)
{
    if (count > 0)
        Console::current().write_text(text, static_cast<std::size_t>(count));
    return count;
}

StreamRedirect::StreamRedirect(std::ostream& stream)
    : stream_(stream), previous_(stream.rdbuf(&buffer_))
{
}

StreamRedirect::~StreamRedirect()
{
    stream_.flush();
    stream_.rdbuf(previous_);
}

} // namespace console
