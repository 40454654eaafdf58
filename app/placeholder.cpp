namespace vexa { void AppPlaceholder() {} }
