// Lets the window breathe during long work (a search run, a viewer load), so
// that Stop can be pressed. Cheap enough to call after every file.
#pragma once

namespace tessaly {

class EventPump {
public:
    virtual ~EventPump() = default;

    // Processes pending events unless that was done less than 20 ms ago.
    virtual void processEvents() = 0;
    // Processes pending events now, whenever they were last processed: before
    // a step that must see the person's latest clicks.
    virtual void processEventsNow() = 0;
};

}  // namespace tessaly
