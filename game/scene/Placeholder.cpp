int quiltRushGamePlaceholder = 0;
