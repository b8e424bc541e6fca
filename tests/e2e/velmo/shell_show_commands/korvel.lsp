(show-commands 1)
(echo (nested (deeper x)) tail "quoted text")
(show-commands 0)
(echo quiet)
