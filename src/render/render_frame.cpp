#include "render/render_frame.h"

#include "render/blit.h"
#include "render/scene_frames.h"
#include "render/side_panels.h"

namespace rara3 {

void DrawFrame(const GameState& g, Display& d) {
  if (g.flow.Scene < SceneTitle || g.flow.Scene > SceneEditor) return;
  BlankScreen(d);
  switch (g.flow.Scene) {
    case SceneTitle: DrawTitleLayers(g, d); break;
    case SceneIdle: DrawIdleLayers(g, d); break;
    case SceneWalk: DrawWalkLayers(g, d); break;
    case ScenePush: DrawPushLayers(g, d); break;
    case SceneClear: DrawClearLayers(g, d); break;
    case SceneRetire: DrawRetireLayers(g, d); break;
    case SceneEnding: DrawEndingLayers(g, d); break;
    case SceneEditor: DrawEditorLayers(g, d); break;
    default: break;
  }
  DrawSidePanels(g, d);
}

}  // namespace rara3
