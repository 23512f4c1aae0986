// The demonstration's scene: one-time resources and the frame.
#pragma once

namespace orvex::app {} // namespace orvex::app
