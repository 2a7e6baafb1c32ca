#include "render/PlanRenderer.h"

// Placeholder bodies, replaced by the renderer's implementation.
namespace render {
ScreenBox screenBox(const document::ObjectRow&, const View&, double) { return {}; }
PlanRenderer::PlanRenderer(platform::PictureCache& pictures, QString apath)
    : pictures_(pictures), apath_(std::move(apath)) {}
void PlanRenderer::Affiche(platform::Surface&, const document::Layout&, const View&,
                           const settings::Preferences&) {}
void PlanRenderer::DessinerObjet(platform::Surface&, float&, float&, float&, float&,
                                 const document::Cell&, const document::Cell&,
                                 const document::Cell&, const DrawContext&) {}
void PlanRenderer::RemplirTexture(platform::Surface&, float, float, float&, float&,
                                  const QString&) {}
void PlanRenderer::PivoterImage(int, platform::Surface&) {}
} // namespace render
