#pragma once
// The slowly spinning globe with a control flag on top: the menu background
// and the scene shown while a course is made. Lives in the Game for the
// whole process; starts at zero, as the zero-filled Game expects.
#include "app/render_state.h"
#include "model/model.h"

#include <memory>

struct MenuGlobe {
    std::unique_ptr<Model> model;  // the control flag; null when absent
    TextureId earthTexture = 0;    // "Images\\earth.bmp"
    float spin = 0;                // degrees about +Y, advanced per menu frame

    // Loads the flag and the earth texture (what an earlier load made is
    // released first), turns fog off, clears to black and sets the view and
    // projection for the window's client size. Needs the GL context.
    void load();
    // The globe and flag, still; drawn once while a game is prepared.
    void drawLoadingScene() const;
    // The globe and flag turned by `spin`, which advances 1.5 degrees per
    // call and wraps past 360; drawn every menu frame.
    void drawMenuBackground();
    // Deletes the texture and the model.
    void release();
};

// A textured GLU sphere round `centre`, turned so the texture's poles and
// rows fall where the globe shows them.
void drawTexturedSphere(const float centre[3], float radius, TextureId texture);
