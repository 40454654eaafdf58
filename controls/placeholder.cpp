namespace vexa { void ControlsPlaceholder() {} }
