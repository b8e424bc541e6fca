(load self.lsp)
