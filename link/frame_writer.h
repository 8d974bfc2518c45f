// The last step of the output tick: hand the composed frame to the interface.
#pragma once

namespace velantra {

class FrameWriter {
public:
    virtual ~FrameWriter() = default;
    // Output thread. Sends DmxFrame; may block at most for the device's write
    // timeout, never on the GUI thread.
    virtual void SendToUsb() = 0;
};

}  // namespace velantra
