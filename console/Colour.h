#ifndef CORVALD_CONSOLE_COLOUR_H
#define CORVALD_CONSOLE_COLOUR_H

// The 16-colour cell attributes of the text console: foreground bits ORed with
// background bits, as the Windows console defines them.
namespace console::colour {

constexpr unsigned short foreground_blue = 0x01;
constexpr unsigned short foreground_green = 0x02;
constexpr unsigned short foreground_red = 0x04;
constexpr unsigned short foreground_intensity = 0x08;
constexpr unsigned short background_blue = 0x10;
constexpr unsigned short background_green = 0x20;
constexpr unsigned short background_red = 0x40;
constexpr unsigned short background_intensity = 0x80;

// The attributes the display uses.
constexpr unsigned short invisible = 0x00;     // blanked table area after a hand
constexpr unsigned short dark_green = 0x02;    // stake to match of the current round
constexpr unsigned short white = 0x07;         // normal text; what stream output gets
constexpr unsigned short bright_cyan = 0x0B;   // the replayed hand's hero's stakes
constexpr unsigned short bright_red = 0x0C;    // folded stakes, refused prompts
constexpr unsigned short bright_yellow = 0x0E; // chance against the opponents still in
constexpr unsigned short table_green = 0x20;   // the table's felt
constexpr unsigned short card_back = 0x40;     // dark red back, black lines
constexpr unsigned short card_face = 0xF0;     // black on bright white
constexpr unsigned short card_face_red = 0xFC; // bright red on bright white

} // namespace console::colour

#endif
