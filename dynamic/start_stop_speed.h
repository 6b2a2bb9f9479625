#pragma once

class DynamicView;

// Gives the dynamic page's "INICIAR", "DETENER" and speed slider their handling.
void attachDynamicAlignment(DynamicView& view);
