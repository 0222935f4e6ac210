// The verdict messages, one after another, closed by an empty string.
#include "app/text_tables.h"

namespace {
STORED_MESSAGE_RUN(messages, "");
}

char* const storedMessages = messages.bytes;
