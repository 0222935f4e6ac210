// The message queue of the program's one thread: posted messages and
// system input in two fixed rings (nothing is allocated per message), and
// the quit flag.
//
// As on Windows, posted messages come before input, the quit message when
// no posted message is left, and WM_PAINT last (message.cpp).
#include <string.h>

#include "user/user_private.h"

namespace {
class Ring {
public:
    Ring(QueueEntry* storage, unsigned capacity) : entries(storage), capacity(capacity) {}

    bool Push(const QueueEntry& entry)
    {
        if (count == capacity)
            return false;
        entries[(head + count) % capacity] = entry;
        ++count;
        return true;
    }

    QueueEntry& At(unsigned index) { return entries[(head + index) % capacity]; }

    // The first entry for the window (null: any) in the message range
    // (0, 0: any message), or -1.
    int Find(HWND filter, UINT first, UINT last)
    {
        for (unsigned i = 0; i < count; ++i) {
            const MSG& msg = At(i).msg;
            if ((!filter || msg.hwnd == filter) && (!(first || last) || (msg.message >= first && msg.message <= last)))
                return static_cast<int>(i);
        }
        return -1;
    }

    void RemoveAt(unsigned index)
    {
        if (index == 0) {
            head = (head + 1) % capacity;
        } else {
            for (unsigned i = index; i + 1 < count; ++i)
                At(i) = At(i + 1);
        }
        --count;
    }

    void RemoveWindow(HWND window)
    {
        unsigned kept = 0;
        for (unsigned i = 0; i < count; ++i) {
            if (At(i).msg.hwnd != window)
                At(kept++) = At(i);
        }
        count = kept;
    }

    QueueEntry* FindSerial(uint32_t serial)
    {
        for (unsigned i = count; i-- > 0;) {
            if (At(i).serial == serial)
                return &At(i);
        }
        return nullptr;
    }

    unsigned Count() const { return count; }
    void Clear() { head = count = 0; }

private:
    QueueEntry* entries;
    unsigned capacity;
    unsigned head = 0;
    unsigned count = 0;
};

constexpr unsigned kPostedCapacity = 4096;
constexpr unsigned kInputCapacity = 1024;
QueueEntry postedStorage[kPostedCapacity];
QueueEntry inputStorage[kInputCapacity];
Ring posted(postedStorage, kPostedCapacity);
Ring input(inputStorage, kInputCapacity);

uint32_t lastSerial;
bool quitPending;
int quitCode;
POINT cursor;

QueueEntry Make(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    QueueEntry entry;
    entry.msg = MSG{window, message, wParam, lParam, timeGetTime(), cursor};
    if (++lastSerial == 0)
        lastSerial = 1;
    entry.serial = lastSerial;
    entry.textLength = 0;
    entry.text[0] = '\0';
    return entry;
}

bool Take(Ring& ring, QueueEntry* out, HWND filter, UINT first, UINT last, bool remove)
{
    int index = ring.Find(filter, first, last);
    if (index < 0)
        return false;
    *out = ring.At(static_cast<unsigned>(index));
    if (remove)
        ring.RemoveAt(static_cast<unsigned>(index));
    return true;
}
}  // namespace

bool QueuePost(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return posted.Push(Make(window, message, wParam, lParam));
}

uint32_t QueueInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    QueueEntry entry = Make(window, message, wParam, lParam);
    return input.Push(entry) ? entry.serial : 0;
}

bool QueueAttachText(uint32_t serial, const char* text, size_t length)
{
    QueueEntry* entry = serial ? input.FindSerial(serial) : nullptr;
    if (!entry || entry->textLength || length == 0 || length >= sizeof entry->text)
        return false;
    memcpy(entry->text, text, length);
    entry->text[length] = '\0';
    entry->textLength = static_cast<uint8_t>(length);
    return true;
}

bool QueueTakePosted(QueueEntry* out, HWND filter, UINT first, UINT last, bool remove)
{
    return Take(posted, out, filter, first, last, remove);
}

bool QueueTakeInput(QueueEntry* out, HWND filter, UINT first, UINT last, bool remove)
{
    return Take(input, out, filter, first, last, remove);
}

bool QueueHasMessages()
{
    return posted.Count() || input.Count() || quitPending;
}

void QueueRemoveWindow(HWND window)
{
    posted.RemoveWindow(window);
    input.RemoveWindow(window);
}

void QueueReset()
{
    posted.Clear();
    input.Clear();
    quitPending = false;
    quitCode = 0;
    cursor = POINT{0, 0};
}

bool QueueQuitPending(int* exitCode)
{
    if (quitPending && exitCode)
        *exitCode = quitCode;
    return quitPending;
}

void QueueClearQuit()
{
    quitPending = false;
}

void QueueSetQuit(int exitCode)
{
    quitPending = true;
    quitCode = exitCode;
}

POINT QueueCursor()
{
    return cursor;
}

void QueueSetCursor(POINT screen)
{
    cursor = screen;
}
