(echo in first)
(load second.lsp)
(echo first again)
