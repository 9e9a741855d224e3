// Placeholder until this piece lands.
