// Placeholder so that a library whose folder has no sources yet still links.
