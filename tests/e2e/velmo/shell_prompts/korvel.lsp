; nothing yet
