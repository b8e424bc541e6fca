(echo before)
(load quit.lsp)
(echo never printed)
