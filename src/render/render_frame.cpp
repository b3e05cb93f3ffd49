#include "render/render_frame.h"

#include "render/blit.h"
#include "render/scene_frames.h"

namespace rara3 {

namespace {

// Effects that start with a scene play before anything is drawn.
void StartSceneSfx(GameState& g, Platform& p) {
  if (g.Scene == ScenePush) StartPushSfx(g, p);
  if (g.Scene == SceneClear) StartClearSfx(g, p);
}

void DrawSceneLayers(GameState& g, Platform& p) {
  switch (g.Scene) {
    case SceneTitle: DrawTitleLayers(g, p); break;
    case SceneIdle: DrawIdleLayers(g, p); break;
    case SceneWalk: DrawWalkLayers(g, p); break;
    case ScenePush: DrawPushLayers(g, p); break;
    case SceneClear: DrawClearLayers(g, p); break;
    case SceneRetire: DrawRetireLayers(g, p); break;
    case SceneEnding: DrawEndingLayers(g, p); break;
    case SceneEditor: DrawEditorLayers(g, p); break;
    default: break;
  }
}

// The walk and the push end only once their last picture has been shown.
void AfterFlip(GameState& g) {
  if (g.Scene == SceneWalk) StepWalk(g);
  if (g.Scene == ScenePush && PushFinished(g)) FinishPush(g);
}

}  // namespace

void RenderFrame(GameState& g, Platform& p) {
  if (!g.LoopStarted) return;
  g.DirIndex = DirIndexOf(g.Facing);
  if (g.Scene < SceneTitle || g.Scene > SceneEditor) return;
  StartSceneSfx(g, p);
  ClearScreen(p);
  DrawSceneLayers(g, p);
  p.display.Flip();
  AfterFlip(g);
}

}  // namespace rara3
