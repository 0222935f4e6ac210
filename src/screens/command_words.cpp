// The 21 command words typed on the title screen; only a word's index
// carries meaning. Each starts with its own consonant and goes on with
// vowels and digits alone, so no word's first letter appears anywhere
// else: typing a word in full always completes it, at its last letter.
#include "app/text_tables.h"

namespace {
auto reset = Complemented("reiaou");  // 0 start settings
auto rate12 = Complemented("fa12");   // 1 a step every 12 ms
auto starsOff = Complemented("ba0");  // 2 no background
auto starsNear = Complemented("da1"); // 3 near stars only
auto starsAll = Complemented("ga2");  // 4 all star layers
auto bullets30 = Complemented("se30"); // 5 30 bullets
auto quit = Complemented("quie");     // 6 quit
auto bullets200 = Complemented("ma200"); // 7 200 bullets
auto fullSpeed = Complemented("xaoe0"); // 8 as fast as possible
auto rush100 = Complemented("hi100"); // 9 full speed, 100 bullets
auto boostOn = Complemented("poo1");  // 10 raise priority
auto boostOff = Complemented("noo0"); // 11 leave priority alone
auto rush200 = Complemented("zo200"); // 12 full speed, 200 bullets
auto bullets100 = Complemented("lo100"); // 13 100 bullets
auto rate16 = Complemented("ta16");   // 14 a step every 16 ms
auto shutDown = Complemented("kaoe"); // 15 quit and shut down
auto about = Complemented("vei");     // 16 About
auto bench = Complemented("caea");    // 17 benchmark
auto rate24 = Complemented("wa24");   // 18 a step every 24 ms
auto event9 = Complemented("ju9");    // 19 fixed event 9
auto event10 = Complemented("ye10");  // 20 fixed event 10
}  // namespace

char* const commandWords[kCommandWordCount] = {
    reset.bytes,     rate12.bytes,  starsOff.bytes, starsNear.bytes, starsAll.bytes, bullets30.bytes,
    quit.bytes,      bullets200.bytes, fullSpeed.bytes, rush100.bytes, boostOn.bytes, boostOff.bytes,
    rush200.bytes,   bullets100.bytes, rate16.bytes, shutDown.bytes, about.bytes,    bench.bytes,
    rate24.bytes,    event9.bytes,  event10.bytes,
};
