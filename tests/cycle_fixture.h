// A fresh engine with its output cycle, stepped by hand: no thread, no sleep.
#pragma once

#include "engine/engine.h"
#include "engine/output_cycle.h"

#include <gtest/gtest.h>

#include <memory>

namespace velantra {

class CycleTest : public ::testing::Test {
protected:
    CycleTest() { e->ClearAll(); }

    void tick(int n = 1)
    {
        for (int i = 0; i < n; ++i) {
            cycle.tick();
        }
    }
    int slot(int s) const { return e->dmxFrame.get(s); }
    void setScene(int scene, int channel, int level) { e->DataWrite(scene, channel, level); }
    void setRate(int channel, int rate) { e->memory.set(RateBase + channel, rate); }
    void setMode(RateMode mode) { e->controls.rateMode = mode; }
    void setPicture(int k, int channel, int level)
    {
        e->memory.set(pictureAddress(k) + channel, 1);
        e->memory.set(pictureAddress(k) + 256 + channel, level);
    }
    void lightPicture(int k, bool on = true) { e->controls.pictureOn[k] = on; }

    std::unique_ptr<Engine> e = std::make_unique<Engine>();
    OutputCycle cycle{*e};
};

}  // namespace velantra
